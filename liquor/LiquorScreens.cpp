#include "liquor/LiquorScreens.h"

void registerLiquorScreens()
{
}
