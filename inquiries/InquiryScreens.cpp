#include "inquiries/InquiryScreens.h"

#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/SmsSendUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
    registerSmsSendScreen();
    registerAmtSearchScreen();
}
