#include "inquiries/screens/InquiryScreens.h"

#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/DepositCntUnit.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/DraftUnit.h"
#include "inquiries/screens/SmsSendUnit.h"
#include "inquiries/screens/TicheErrTUnit.h"
#include "inquiries/screens/VDepositUnit.h"
#include "inquiries/screens/IcheViewUnit.h"
#include "inquiries/screens/SmsViewUnit.h"
#include "inquiries/screens/TIcheNameSearchUnit.h"
#include "inquiries/screens/TrsumUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
    registerSmsSendScreen();
    registerTicheErrTScreen();
    registerDepositScreen();
    registerDraftScreen();
    registerDepositCntScreen();
    registerVDepositScreen();
    registerIcheViewScreen();
    registerIcheErrViewScreen();
    registerSmsViewScreen();
    registerAmtSearchScreen();
    registerTIcheNameSearchScreen();
    registerSummaryScreens();
}
