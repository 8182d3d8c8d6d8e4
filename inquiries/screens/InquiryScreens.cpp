#include "inquiries/screens/InquiryScreens.h"

#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/SmsSendUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
    registerSmsSendScreen();
}
