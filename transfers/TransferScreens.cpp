#include "transfers/TransferScreens.h"

#include "transfers/screens/CatchIcheGA.h"
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
}
