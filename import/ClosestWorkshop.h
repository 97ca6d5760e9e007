#pragma once

#include "host/host.h"

namespace Corvanis {

// The reference with the workshop keyword, in the cells around the player
// (GatherCandidateCells), that stands nearest the player; of several at the
// same distance the one met first. Null when there is none.
host::Form* FindClosestWorkshop(const host::Form* workshopKeyword);

}  // namespace Corvanis
