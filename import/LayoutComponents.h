// The applying phase of a layout import: what a blueprint held replaces the
// components of the home ship's base form and the ship's displayed name.
#pragma once

#include <vector>

#include "host/arrays.h"
#include "host/host.h"
#include "import/reading/LayoutAccumulator.h"

namespace Corvanis {

// The game's memory that the components' lists need for the layout, taken
// before anything changes.
struct LayoutStorage {
    host::ArrayStorage keywords;
    host::ArrayStorage propertySheet;
    host::ArrayStorage traversals1;
    host::ArrayStorage traversals2;
    // One for each traversal group of the layout, in its order.
    std::vector<host::ArrayStorage> traversalGroups;
    host::ArrayStorage parts;
    host::ArrayStorage container;
};

// Takes from the game the room that the base form's lists need beyond what
// they have; false, with nothing of the game changed, when the game has no
// memory for it.
bool ReserveLayoutStorage(host::Form* theShipForm, const LayoutAccumulator& layout, LayoutStorage& storage);

// Each component the base form has is replaced whole: what the blueprint had
// no line for is reset to its empty value. With the storage reserved for the
// layout, no list asks the game for memory. `fVersion` is the blueprint's
// version: below 2.00 a module's unk3C is the one byte older blueprints hold.
void ImportLayoutComponents(host::Form* theShipForm, host::Form* theShipRef, const LayoutAccumulator& layout,
                            float fVersion, LayoutStorage& storage);

}  // namespace Corvanis
