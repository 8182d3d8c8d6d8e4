#include "core/CoreScreens.h"

void registerCoreScreens()
{
}
