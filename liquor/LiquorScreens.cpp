#include "liquor/LiquorScreens.h"

#include "liquor/screens/IcheMakeJuruUnit.h"

void registerLiquorScreens()
{
    registerIcheMakeJuruScreen();
}
