#include "transfers/TransferScreens.h"

#include "transfers/screens/DaesangUnit.h"
#include "transfers/screens/IcheMakeUnit.h"

void registerTransferScreens()
{
    registerIcheMakeScreen();
    registerDaesangScreen();
}
