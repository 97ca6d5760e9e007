// The applying phase of a layout import: what a blueprint held replaces the
// components of the home ship's base form and the ship's displayed name.
#pragma once

#include <cstddef>
#include <vector>

#include "host/host.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"
#include "import/reading/LayoutAccumulator.h"

namespace Corvanis {

// The lists of the layout's new traversal groups, with their room taken
// before anything changes: each goes to its group, or back to the game when
// the import stops first.
class LayoutStorage {
public:
    LayoutStorage() = default;
    ~LayoutStorage();
    LayoutStorage(const LayoutStorage&) = delete;
    LayoutStorage& operator=(const LayoutStorage&) = delete;

    // False when the game has no memory for one of them.
    bool Reserve(const LayoutAccumulator& layout);
    // Hands the group's list over, empty, with its room.
    veltrane::CountedArray<veltrane::TraversalRecord> Take(std::size_t group);

private:
    std::vector<veltrane::CountedArray<veltrane::TraversalRecord>> groupLists_;
};

// Gives the base form's lists the room the layout needs, keeping what they
// hold, and takes the new groups' lists; false, with nothing the game shows
// changed, when the game has no memory for it.
bool ReserveLayoutStorage(host::Form* theShipForm, const LayoutAccumulator& layout, LayoutStorage& storage);

// Each component the base form has is replaced whole: what the blueprint had
// no line for is reset to its empty value. With the storage reserved for the
// layout, no list asks the game for memory. `fVersion` is the blueprint's
// version: below 2.00 a module's unk3C is the one byte older blueprints hold.
void ImportLayoutComponents(host::Form* theShipForm, host::Form* theShipRef, const LayoutAccumulator& layout,
                            float fVersion, LayoutStorage& storage);

}  // namespace Corvanis
