#include "transfers/screens/TransferScreens.h"

#include "transfers/screens/AcceptConfirm1Unit.h"
#include "transfers/screens/AcceptConfirmUnit.h"
#include "transfers/conversion/CatchIcheGA.h"
#include "transfers/screens/DaesangUnit.h"
#include "transfers/screens/DataConvertRun.h"
#include "transfers/screens/DataFileUnit.h"
#include "transfers/screens/IcheMakeUnit.h"

void registerTransferScreens()
{
    registerIcheMakeScreen();
    registerDaesangScreen();
    registerDataConvert();
    registerCatchIcheGAScreen();
    registerDataFileScreen();
    registerAcceptConfirmScreen();
    registerAcceptConfirm1Screen();
}
