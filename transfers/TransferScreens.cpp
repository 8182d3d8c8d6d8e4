#include "transfers/TransferScreens.h"

void registerTransferScreens()
{
}
