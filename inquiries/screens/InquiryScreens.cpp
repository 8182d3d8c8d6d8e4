#include "inquiries/screens/InquiryScreens.h"

#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/DepositCntUnit.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/DraftUnit.h"
#include "inquiries/screens/SmsSendUnit.h"
#include "inquiries/screens/TicheErrTUnit.h"
#include "inquiries/screens/VDepositUnit.h"

void registerInquiryScreens()
{
    registerIcheSearchScreen();
    registerSmsSendScreen();
    registerTicheErrTScreen();
    registerDepositScreen();
    registerDraftScreen();
    registerDepositCntScreen();
    registerVDepositScreen();
}
