#include "liquor/screens/LiquorScreens.h"

#include "liquor/screens/IcheMakeJuruUnit.h"
#include "liquor/screens/LiquorResultScreens.h"

void registerLiquorScreens()
{
    registerIcheMakeJuruScreen();
    registerLiquorResultScreens();
}
