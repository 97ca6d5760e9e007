// What the game keeps of a reference that a command placed and took back
// again: the removed reference itself, an empty place at the end of its
// cell's list, and the run-time form ID it took. These are the game's own
// bookkeeping, which the player never meets, so a command that took back
// every item it placed is held to the world without them.
#pragma once

#include "sim/worldfile/Json.h"

namespace dev_support {

// The dump `after` without the traces of the references it has and `before`
// has not, and without the next run-time form ID, which has moved on.
// `takenBack` counts those references. Anything else stays for a comparison
// with `before`, minus its next run-time form ID, to find: a new reference
// that was not removed, or an empty place that is not at a list's end.
sim::Json WithoutReferencesTakenBack(sim::Json after, const sim::Json& before, int& takenBack);

// The dump without its next run-time form ID, to compare with the above.
sim::Json WithoutNextRuntimeFormID(sim::Json world);

}  // namespace dev_support
