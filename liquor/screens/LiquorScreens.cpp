#include "liquor/screens/LiquorScreens.h"

#include "liquor/screens/CatchIcheJ.h"
#include "liquor/screens/IcheMakeJuruUnit.h"
#include "liquor/screens/LiquorResultScreens.h"
#include "liquor/screens/LiquorConvertRun.h"

void registerLiquorScreens()
{
    registerIcheMakeJuruScreen();
    registerLiquorResultScreens();
    registerCatchIcheJScreens();
    registerLiquorConvert();
}
