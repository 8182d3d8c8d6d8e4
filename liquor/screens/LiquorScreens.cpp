#include "liquor/screens/LiquorScreens.h"

void registerLiquorScreens()
{
}
