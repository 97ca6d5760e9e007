#include "sim/world/FormTypes.h"

#include <array>

#include "host/layouts/DataFiles.h"

namespace sim {

namespace {

// Codes 30 and 43 are deliberately left unnamed: the game does not name every
// type it has.
constexpr std::array<veltrane::FormTypeName, 21> kNames{{
    {"KWRD", veltrane::kFormTypeKeyword},
    {"ARMO", veltrane::kFormTypeArmor},
    {"BOOK", veltrane::kFormTypeBook},
    {"CONT", veltrane::kFormTypeContainer},
    {"MISC", veltrane::kFormTypeMisc},
    {"MSTT", veltrane::kFormTypeMoveableStatic},
    {"FURN", veltrane::kFormTypeFurniture},
    {"WEAP", veltrane::kFormTypeWeapon},
    {"AMMU", veltrane::kFormTypeAmmo},
    {"NPC_", veltrane::kFormTypeNPC},
    {"KEYM", veltrane::kFormTypeKey},
    {"ALCH", veltrane::kFormTypeIngestible},
    {"TERM", veltrane::kFormTypeTerminal},
    {"GBFM", veltrane::kFormTypeGenericBaseForm},
    {"CELL", veltrane::kFormTypeCell},
    {"OREF", veltrane::kFormTypeObjectReference},
    {"AREF", veltrane::kFormTypeActorReference},
    {"SKIL", 97},
    {"AVAL", veltrane::kFormTypeActorValueInfo},
    {"VTYP", veltrane::kFormTypeVoiceType},
    {"TRAV", veltrane::kFormTypeTraversal},
}};

}  // namespace

const veltrane::FormTypeName* FormTypeNames() { return kNames.data(); }

std::uint32_t FormTypeNameCount() { return static_cast<std::uint32_t>(kNames.size()); }

std::string_view FormTypeName(std::uint8_t code) {
    for (const auto& entry : kNames) {
        if (entry.code == code) return entry.name;
    }
    return {};
}

bool IsBoundObjectType(std::uint8_t code) {
    switch (code) {
        case veltrane::kFormTypePlaceable30:
        case veltrane::kFormTypeArmor:
        case veltrane::kFormTypeBook:
        case veltrane::kFormTypeContainer:
        case veltrane::kFormTypeMisc:
        case veltrane::kFormTypePlaceable43:
        case veltrane::kFormTypeMoveableStatic:
        case veltrane::kFormTypeFurniture:
        case veltrane::kFormTypeWeapon:
        case veltrane::kFormTypeAmmo:
        case veltrane::kFormTypeNPC:
        case veltrane::kFormTypeKey:
        case veltrane::kFormTypeIngestible:
        case veltrane::kFormTypeTerminal:
        case veltrane::kFormTypeGenericBaseForm:
            return true;
        default:
            return false;
    }
}

}  // namespace sim
