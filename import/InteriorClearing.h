// What the interior import removes from the ship's interior before the
// blueprint's items stand in it: the items of inventory types, then the
// items linked to a workshop. The references to remove are decided first
// and removed only once every new item is in place, so that an import that
// fails leaves the interior as it was. The pilot's seat always stays: the
// ship is flown from it, and no blueprint carries one.
#pragma once

#include <vector>

#include "frame/settings/Settings.h"
#include "host/host.h"

namespace Corvanis {

struct WorkshopKeywords {
    host::Form* workshop;      // carried by workshops
    host::Form* workshopItem;  // links an item to its workshop
    host::Form* pilotSeat;     // carried by pilots' seats; null when the game has none
};

struct ReferenceToClear {
    host::Form* reference;
    // Removed as a workshop item: the game's clean-up for one follows.
    bool workshopItem;
};

// The references of the cell the import removes, in the order it removes
// them, as two passes over the cell would: with bRemoveInventoryTypeItems,
// every reference whose base is of an inventory item type; then, with
// bRemoveWorkshopLinkedItems, every other reference that has a base, is no
// actor, has extra data and is linked under the workshop-item keyword to a
// reference with the workshop keyword; never a pilot's seat.
std::vector<ReferenceToClear> DecideClearing(const host::Form* theInteriorCell, const WorkshopKeywords& keywords,
                                             const ImportSettings& settings);

// Whether the reference is linked under the workshop-item keyword to a
// reference with the workshop keyword.
bool IsLinkedToWorkshop(const host::Form* reference, const WorkshopKeywords& keywords);

// Removes the references, each workshop item followed by the game's
// clean-up for it.
void Clear(const std::vector<ReferenceToClear>& references);

}  // namespace Corvanis
