#include "liquor/screens/LiquorScreens.h"

#include "liquor/screens/IcheMakeJuruUnit.h"

void registerLiquorScreens()
{
    registerIcheMakeJuruScreen();
}
