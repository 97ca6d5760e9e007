// Where the interior import looks for the workshop that placed items are
// linked to: the cells around an actor.
#pragma once

#include <vector>

#include "host/host.h"

namespace Corvanis {

// The actor's parent cell; the interior of the actor's ship reference; the
// actor's associated cells; the cell manager's current cell and the cells of
// its table of loaded cells that can be trusted (host/loaded_cells.h).
// Without an actor, the player's. Each cell once, ordered by object
// identity. Should the game raise an exception, the cells gathered until
// then are the answer.
std::vector<host::Form*> GatherCandidateCells(host::Form* actor = nullptr);

}  // namespace Corvanis
