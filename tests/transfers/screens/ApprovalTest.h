#pragma once
// What the approval screen tests share: the transfer screen test support,
// the approval road's dialog steps, the seeded rows and the hooked link.

#include "TransferScreenTest.h"

#include "ApprovalSteps.h"
#include "HookedLink.h"
#include "SeedRows.h"
