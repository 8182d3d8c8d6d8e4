#include "inquiries/screens/InquiryScreens.h"

#include "inquiries/screens/IcheSearchUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
}
