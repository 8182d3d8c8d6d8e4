#include "transfers/TransferScreens.h"

#include "transfers/screens/AcceptConfirm1Unit.h"
#include "transfers/screens/AcceptConfirmUnit.h"
#include "transfers/screens/DaesangUnit.h"
#include "transfers/screens/IcheMakeUnit.h"

void registerTransferScreens()
{
    registerIcheMakeScreen();
    registerDaesangScreen();
    registerAcceptConfirmScreen();
    registerAcceptConfirm1Screen();
}
