// Which references of a ship's interior a blueprint carries as decoration.
#pragma once

#include <optional>
#include <vector>

#include "export/ExportKeywords.h"
#include "frame/settings/Settings.h"
#include "host/host.h"

namespace Corvanis {

// An item with what the selection already asked the game about it, so that
// writing it does not ask again.
struct DecorationItem {
    host::Form* reference;
    const host::Form* base;                 // its base object, never null
    const veltrane::ExtraDataList* extra;   // its extra data, if it has any
    bool bWorkshopItem;                     // linked to a workshop
};

// The items placed at run time in the cell, in the cell's order, that the
// export settings let through: never the player, actors, references from
// data files, the ship's cargo containers or the pilot's seat, and only the
// item types a blueprint knows.
std::vector<DecorationItem> SelectDecorationItems(const host::Form* theInteriorCell, const ExportKeywords& keywords,
                                                  const ExportSettings& settings);

// The reference as a blueprint carries it, whatever the settings say, the
// pilot's seat and the ship's cargo containers included: how an import saves
// an item it removes. None when no blueprint can carry it: it came with a
// data file, its base is of a kind a blueprint does not know, or its base
// comes from no data file.
std::optional<DecorationItem> AsCarriedItem(host::Form* reference, host::Form* workshopKeyword,
                                            host::Form* workshopItemKeyword);

}  // namespace Corvanis
