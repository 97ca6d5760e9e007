// The item types a blueprint carries as decoration: the setting that skips
// each, and whether it is an inventory type (a thing a player can carry).
// The export and the interior import judge items by the same table.
#pragma once

#include <cstdint>

#include "frame/Settings.h"

namespace Corvanis {

struct DecorationType {
    std::uint8_t code;
    std::uint8_t ItemTypeSkips::*skip;  // null: no setting skips the type
    bool inventoryType;
};

// The type of this code, or null when a blueprint knows no such item type.
const DecorationType* FindDecorationType(std::uint8_t code);

// Whether the settings skip items of the type.
inline bool IsSkipped(const DecorationType& type, const ItemTypeSkips& skips) {
    return type.skip != nullptr && skips.*type.skip != 0;
}

}  // namespace Corvanis
