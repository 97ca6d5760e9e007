#include "export/DecorationItems.h"

#include <array>
#include <optional>

#include "format/DecorationTypes.h"
#include "forms/FormIDText.h"
#include "forms/HomeFile.h"
#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

constexpr std::uint32_t kPlayerReferenceID = 0x14;

bool IsPlacedAtRunTime(const host::Form* reference) {
    const veltrane::GameInterface& game = host::Game();
    const std::uint32_t formID = game.FormGetID(reference);
    return formID != kPlayerReferenceID && IsCreatedAtRunTime(formID) &&
           game.FormGetStoredType(reference) != veltrane::kFormTypeActorReference &&
           game.FormQueryType(reference) != veltrane::kFormTypeActorReference;
}

bool ListsKeyword(const host::Form* form, std::uint32_t keywordID) {
    const veltrane::GameInterface& game = host::Game();
    std::uint32_t count = 0;
    host::Form* const* keywords = game.FormGetKeywords(form, &count);
    if (keywords == nullptr) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (keywords[i] != nullptr && game.FormGetID(keywords[i]) == keywordID) return true;
    }
    return false;
}

bool IsWorkshopItem(const host::Form* reference, const veltrane::ExtraDataList* extra,
                    const ExportKeywords& keywords) {
    if (extra == nullptr) return false;
    const veltrane::GameInterface& game = host::Game();
    const host::Form* workshop = game.RefGetLinkedRef(reference, keywords.workshopItemKeyword);
    return workshop != nullptr && game.RefHasKeyword(workshop, keywords.workshopKeyword);
}

// What the selection needs to know of a base object.
struct BaseFacts {
    const host::Form* base = nullptr;
    bool isCargoContainer = false;
    const DecorationType* type = nullptr;  // null: not an item type a blueprint knows
};

// A ship's items share few base objects, and nothing changes them during an
// export: each base is asked about once, unless another base takes its slot.
class BaseFactsMemo {
public:
    explicit BaseFactsMemo(std::uint32_t inventoryContainerID) : inventoryContainerID_(inventoryContainerID) {}

    const BaseFacts& Of(const host::Form* base) {
        BaseFacts& slot = slots_[(reinterpret_cast<std::uintptr_t>(base) >> 4) % slots_.size()];
        if (slot.base != base) {
            slot = {base, ListsKeyword(base, inventoryContainerID_),
                    FindDecorationType(host::Game().FormGetStoredType(base))};
        }
        return slot;
    }

private:
    std::uint32_t inventoryContainerID_;
    std::array<BaseFacts, 64> slots_{};
};

// What the selection asks of every item and needs to know only once.
struct Selection {
    const ExportKeywords& keywords;
    // None: every item a blueprint can carry, the settings, the pilot's seat
    // and the cargo containers left aside.
    const ExportSettings* settings;
    BaseFactsMemo bases;
};

// The item as a blueprint carries it, or none when it is not decoration.
std::optional<DecorationItem> AsDecorationItem(host::Form* reference, Selection& selection) {
    const veltrane::GameInterface& game = host::Game();
    if (reference == nullptr || !IsPlacedAtRunTime(reference)) return std::nullopt;
    const host::Form* base = game.RefGetBaseObject(reference);
    if (base == nullptr) return std::nullopt;
    const BaseFacts& facts = selection.bases.Of(base);
    const ExportSettings* settings = selection.settings;
    if (settings != nullptr && facts.isCargoContainer) return std::nullopt;
    const DecorationType* type = facts.type;
    if (type == nullptr || (settings != nullptr && IsSkipped(type->skippedBy, settings->skip))) return std::nullopt;
    if (settings != nullptr && game.RefHasKeyword(reference, selection.keywords.spaceshipCockpitPilotSeat)) {
        return std::nullopt;
    }

    const veltrane::ExtraDataList* extra = game.RefGetExtraDataList(reference);
    const bool workshopItem = IsWorkshopItem(reference, extra, selection.keywords);
    const bool wanted = settings == nullptr || (settings->bWorkshopItems != 0) == workshopItem ||
                        (settings->bInventoryItemTypes != 0) == type->inventoryType;
    if (!wanted) return std::nullopt;
    return DecorationItem{reference, base, extra, workshopItem};
}

std::vector<DecorationItem> SelectItems(const host::Form* theInteriorCell, const ExportKeywords& keywords,
                                        const ExportSettings* settings) {
    std::vector<DecorationItem> items;
    const veltrane::GameInterface& game = host::Game();
    std::uint32_t count = 0;
    host::Form* const* references = game.CellGetReferences(theInteriorCell, &count);
    if (references == nullptr) return items;
    const host::Form* cargo = keywords.spaceshipInventoryContainer;
    Selection selection{keywords, settings, BaseFactsMemo(cargo != nullptr ? game.FormGetID(cargo) : 0)};
    items.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (std::optional<DecorationItem> item = AsDecorationItem(references[i], selection)) items.push_back(*item);
    }
    return items;
}

}  // namespace

std::vector<DecorationItem> SelectDecorationItems(const host::Form* theInteriorCell, const ExportKeywords& keywords,
                                                  const ExportSettings& settings) {
    return SelectItems(theInteriorCell, keywords, &settings);
}

std::optional<DecorationItem> AsCarriedItem(host::Form* reference, host::Form* workshopKeyword,
                                            host::Form* workshopItemKeyword) {
    const ExportKeywords keywords{nullptr, nullptr, workshopItemKeyword, workshopKeyword};
    Selection selection{keywords, nullptr, BaseFactsMemo(0)};
    std::optional<DecorationItem> item = AsDecorationItem(reference, selection);
    if (item && FindHomeFile(item->base) == nullptr) return std::nullopt;
    return item;
}

}  // namespace Corvanis
