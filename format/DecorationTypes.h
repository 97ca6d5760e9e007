// The item types a blueprint carries as decoration: which item-type setting
// ("bSkipMISC") skips each, and whether it is an inventory type (a thing a
// player can carry). The export and the interior import judge items by the
// same table.
#pragma once

#include <cstdint>

namespace Corvanis {

// The item-type settings, by the type signature their keys end with.
enum class SkipSetting : std::uint8_t { BOOK, MISC, FURN, KEYM, ALCH, MSTT, CONT, TERM, ARMO, WEAP, Type43, Type30, None };

struct DecorationType {
    std::uint8_t code;
    SkipSetting skippedBy;
    bool inventoryType;
};

// The type of this code, or null when a blueprint knows no such item type.
const DecorationType* FindDecorationType(std::uint8_t code);

}  // namespace Corvanis
