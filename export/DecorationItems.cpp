#include "export/DecorationItems.h"

#include <array>
#include <optional>

namespace Corvanis {

namespace {

constexpr std::uint32_t kPlayerReferenceID = 0x14;
constexpr std::uint8_t kRuntimeFormByte = 0xFF;

struct DecorationType {
    std::uint8_t code;
    std::uint8_t ItemTypeSkips::*skip;  // null: no setting skips the type
    bool inventoryType;
};

constexpr std::array<DecorationType, 13> kDecorationTypes{{
    {veltrane::kFormTypeArmor, &ItemTypeSkips::bSkipARMO, true},
    {veltrane::kFormTypeBook, &ItemTypeSkips::bSkipBOOK, true},
    {veltrane::kFormTypeContainer, &ItemTypeSkips::bSkipCONT, false},
    {veltrane::kFormTypeMisc, &ItemTypeSkips::bSkipMISC, true},
    {veltrane::kFormTypeMoveableStatic, &ItemTypeSkips::bSkipMSTT, false},
    {veltrane::kFormTypeFurniture, &ItemTypeSkips::bSkipFURN, false},
    {veltrane::kFormTypeWeapon, &ItemTypeSkips::bSkipWEAP, true},
    {veltrane::kFormTypeKey, &ItemTypeSkips::bSkipKEYM, true},
    {veltrane::kFormTypeIngestible, &ItemTypeSkips::bSkipALCH, true},
    {veltrane::kFormTypeTerminal, &ItemTypeSkips::bSkipTERM, false},
    {49, nullptr, true},
    {43, &ItemTypeSkips::bSkipType43, false},
    {30, &ItemTypeSkips::bSkipType30, false},
}};

const DecorationType* FindDecorationType(std::uint8_t code) {
    for (const DecorationType& type : kDecorationTypes) {
        if (type.code == code) return &type;
    }
    return nullptr;
}

bool IsPlacedAtRunTime(const host::Form* reference) {
    const veltrane::GameInterface& game = host::Game();
    const std::uint32_t formID = game.FormGetID(reference);
    return formID != kPlayerReferenceID && (formID >> 24) == kRuntimeFormByte &&
           game.FormGetStoredType(reference) != veltrane::kFormTypeActorReference &&
           game.FormQueryType(reference) != veltrane::kFormTypeActorReference;
}

bool ListsKeyword(const host::Form* form, const host::Form* keyword) {
    const veltrane::GameInterface& game = host::Game();
    std::uint32_t count = 0;
    host::Form* const* keywords = game.FormGetKeywords(form, &count);
    if (keywords == nullptr) return false;
    const std::uint32_t wanted = game.FormGetID(keyword);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (keywords[i] != nullptr && game.FormGetID(keywords[i]) == wanted) return true;
    }
    return false;
}

bool IsWorkshopItem(const host::Form* reference, const ExportKeywords& keywords) {
    const veltrane::GameInterface& game = host::Game();
    if (game.RefGetExtraDataList(reference) == nullptr) return false;
    const host::Form* workshop = game.RefGetLinkedRef(reference, keywords.workshopItemKeyword);
    return workshop != nullptr && game.RefHasKeyword(workshop, keywords.workshopKeyword);
}

// The item as a blueprint carries it, or none when it is not decoration.
std::optional<DecorationItem> AsDecorationItem(host::Form* reference, const ExportKeywords& keywords,
                                               const ExportSettings& settings) {
    const veltrane::GameInterface& game = host::Game();
    if (reference == nullptr || !IsPlacedAtRunTime(reference)) return std::nullopt;
    const host::Form* base = game.RefGetBaseObject(reference);
    if (base == nullptr || ListsKeyword(base, keywords.spaceshipInventoryContainer)) return std::nullopt;
    const DecorationType* type = FindDecorationType(game.FormGetStoredType(base));
    if (type == nullptr || (type->skip != nullptr && settings.skip.*type->skip != 0)) return std::nullopt;
    if (game.RefHasKeyword(reference, keywords.spaceshipCockpitPilotSeat)) return std::nullopt;

    const bool workshopItem = IsWorkshopItem(reference, keywords);
    const bool wanted = (settings.bWorkshopItems != 0) == workshopItem ||
                        (settings.bInventoryItemTypes != 0) == type->inventoryType;
    if (!wanted) return std::nullopt;
    return DecorationItem{reference, workshopItem};
}

}  // namespace

std::vector<DecorationItem> SelectDecorationItems(const host::Form* theInteriorCell, const ExportKeywords& keywords,
                                                  const ExportSettings& settings) {
    std::vector<DecorationItem> items;
    std::uint32_t count = 0;
    host::Form* const* references = host::Game().CellGetReferences(theInteriorCell, &count);
    if (references == nullptr) return items;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (std::optional<DecorationItem> item = AsDecorationItem(references[i], keywords, settings)) {
            items.push_back(*item);
        }
    }
    return items;
}

}  // namespace Corvanis
