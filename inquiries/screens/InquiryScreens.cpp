#include "inquiries/screens/InquiryScreens.h"

#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/IcheViewUnit.h"
#include "inquiries/screens/SmsSendUnit.h"
#include "inquiries/screens/SmsViewUnit.h"
#include "inquiries/screens/TIcheNameSearchUnit.h"
#include "inquiries/screens/TrsumUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
    registerSmsSendScreen();
    registerIcheViewScreen();
    registerIcheErrViewScreen();
    registerSmsViewScreen();
    registerAmtSearchScreen();
    registerTIcheNameSearchScreen();
    registerSummaryScreens();
}
