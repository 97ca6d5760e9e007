#include "import/InteriorClearing.h"

#include <unordered_set>

#include "format/DecorationTypes.h"
#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

bool HasInventoryItemBase(const host::Form* reference, const WorkshopKeywords&) {
    const veltrane::GameInterface& game = host::Game();
    const host::Form* base = game.RefGetBaseObject(reference);
    if (base == nullptr) return false;
    const DecorationType* type = FindDecorationType(game.FormQueryType(base));
    return type != nullptr && type->inventoryType;
}

bool IsClearedWorkshopItem(const host::Form* reference, const WorkshopKeywords& keywords) {
    const veltrane::GameInterface& game = host::Game();
    if (game.RefGetBaseObject(reference) == nullptr) return false;
    if (game.FormQueryType(reference) == veltrane::kFormTypeActorReference) return false;
    return IsLinkedToWorkshop(reference, keywords);
}

bool IsPilotSeat(const host::Form* reference, const WorkshopKeywords& keywords) {
    return keywords.pilotSeat != nullptr && host::Game().RefHasKeyword(reference, keywords.pilotSeat);
}

}  // namespace

bool IsLinkedToWorkshop(const host::Form* reference, const WorkshopKeywords& keywords) {
    const veltrane::GameInterface& game = host::Game();
    if (keywords.workshop == nullptr || keywords.workshopItem == nullptr) return false;
    if (game.RefGetExtraDataList(reference) == nullptr) return false;
    const host::Form* workshop = game.RefGetLinkedRef(reference, keywords.workshopItem);
    return workshop != nullptr && game.RefHasKeyword(workshop, keywords.workshop);
}

std::vector<ReferenceToClear> DecideClearing(const host::Form* theInteriorCell, const WorkshopKeywords& keywords,
                                             const ImportSettings& settings) {
    std::vector<ReferenceToClear> cleared;
    std::uint32_t count = 0;
    host::Form* const* references = host::Game().CellGetReferences(theInteriorCell, &count);
    if (references == nullptr) return cleared;
    // A removed reference leaves its slots empty, so a pass meets each
    // reference once, and the second pass no longer meets what the first
    // removed.
    std::unordered_set<const host::Form*> decided;
    const auto pass = [&](bool (*removes)(const host::Form*, const WorkshopKeywords&), bool workshopItem) {
        for (std::uint32_t i = 0; i < count; ++i) {
            host::Form* reference = references[i];
            if (reference != nullptr && decided.count(reference) == 0 && removes(reference, keywords) &&
                !IsPilotSeat(reference, keywords)) {
                cleared.push_back({reference, workshopItem});
                decided.insert(reference);
            }
        }
    };
    if (settings.bRemoveInventoryTypeItems != 0) pass(&HasInventoryItemBase, false);
    if (settings.bRemoveWorkshopLinkedItems != 0) pass(&IsClearedWorkshopItem, true);
    return cleared;
}

void Clear(const std::vector<ReferenceToClear>& references) {
    const veltrane::GameInterface& game = host::Game();
    for (const ReferenceToClear& cleared : references) {
        game.RemoveReference(cleared.reference);
        if (cleared.workshopItem) game.RemovedWorkshopItemCleanup(cleared.reference, 0);
    }
}

}  // namespace Corvanis
