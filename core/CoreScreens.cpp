#include "core/CoreScreens.h"

#include "core/AllbankUnit.h"
#include "core/BankUnit.h"
#include "core/DisplayUnit.h"
#include "core/ErrcodeUnit.h"
#include "core/NetworkUnit.h"
#include "core/StartUnit.h"

void registerCoreScreens()
{
    registerNetworkScreen();
    registerBankScreen();
    registerAllbankScreen();
    registerErrcodeScreen();
    registerDisplayScreen();
    registerStartScreens();
}
