#include "core/screens/CoreScreens.h"

#include "core/screens/AllbankUnit.h"
#include "core/screens/BankUnit.h"
#include "core/screens/DisplayUnit.h"
#include "core/screens/ErrcodeUnit.h"
#include "core/screens/NetworkUnit.h"
#include "core/screens/StartUnit.h"

void registerCoreScreens()
{
    registerNetworkScreen();
    registerBankScreen();
    registerAllbankScreen();
    registerErrcodeScreen();
    registerDisplayScreen();
    registerStartScreens();
}
