#include "inquiries/InquiryScreens.h"

#include "inquiries/screens/IcheSearchUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
}
