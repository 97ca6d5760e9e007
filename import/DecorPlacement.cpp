#include "import/DecorPlacement.h"

#include "format/DecorItemAngles.h"
#include "format/DecorationTypes.h"
#include "forms/DescribeForm.h"
#include "host/layouts/ReferenceCreation.h"

namespace Corvanis {

namespace {

// The new reference behind the game's handle. The game hands it out
// counted; only the pointer is kept.
host::Form* ReferenceOfHandle(std::uint32_t handle) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* reference = game.ReferenceFromHandle(handle);
    if (reference != nullptr) game.ReleaseReference(reference);
    return reference;
}

}  // namespace

void RemovePlacedItems(std::vector<PlacedDecorItem>& placed) {
    for (const PlacedDecorItem& item : placed) host::Game().RemoveReference(item.reference);
    placed.clear();
}

bool IsPlacedByImport(std::uint8_t type, bool bWorkshopItem, const ImportSettings& settings) {
    const DecorationType* known = FindDecorationType(type);
    if (known == nullptr || IsSkipped(known->skippedBy, settings.skip)) return false;
    return bWorkshopItem == (settings.bWorkshopItems != 0) ||
           known->inventoryType == (settings.bInventoryItemTypes != 0);
}

veltrane::CreateReferenceRequest MakeCreateReferenceRequest(host::Form* base, const float position[3],
                                                            const float rotationDegrees[3], float scale,
                                                            host::Form* cell, host::Form* shipRef) {
    veltrane::CreateReferenceRequest request{};
    request.recordMarker = host::Game().createReferenceMarker;
    for (int axis = 0; axis < 3; ++axis) {
        request.position[axis] = position[axis];
        request.rotation[axis] = rotationDegrees[axis] * kRadiansPerDegree;
    }
    request.scale = scale;
    request.baseObject = base;
    if (shipRef != nullptr) {
        request.parentShip = shipRef;
    } else {
        request.cell = cell;
    }
    request.flag8C = 1;
    request.flag8D = 1;
    request.one98 = 1;
    return request;
}

std::vector<host::Form*> PlaceDecorItem(host::Form* base, float fPosX, float fPosY, float fPosZ, float fRotX,
                                        float fRotY, float fRotZ, float fScale, host::Form* cell, host::Form* shipRef) {
    const veltrane::GameInterface& game = host::Game();
    // Room for the new reference before the game makes it: running out of
    // memory afterwards would lose a reference the game holds.
    std::vector<host::Form*> created;
    created.reserve(1);
    host::Form* player = game.GetPlayerCharacter();
    if (base == nullptr || player == nullptr) return created;
    host::Form* playerCell = game.RefGetParentCell(player);
    if (playerCell == nullptr) return created;
    if (cell == nullptr) cell = playerCell;
    if (shipRef == nullptr) shipRef = game.ActorGetShipRef(player);

    const float position[3] = {fPosX, fPosY, fPosZ};
    const float rotation[3] = {fRotX, fRotY, fRotZ};
    const veltrane::CreateReferenceRequest request =
        MakeCreateReferenceRequest(base, position, rotation, fScale, cell, shipRef);
    const std::uint32_t handle = game.CreateReference(&request);
    if (handle == 0) return created;
    if (host::Form* reference = ReferenceOfHandle(handle)) created.push_back(reference);
    return created;
}

bool CreateDecorItems(const std::vector<DecorItemRecord>& items, host::Form* theInteriorCell,
                      const ImportSettings* settings, std::vector<PlacedDecorItem>& placed, ImportErrorInfo& error) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    host::Form* shipRef = player != nullptr ? game.ActorGetShipRef(player) : nullptr;
    host::Form* cell = shipRef != nullptr ? nullptr : theInteriorCell;
    // Nothing allocates between the game making a reference and its being
    // recorded here, so every reference made can be removed again.
    placed.reserve(items.size());
    for (const DecorItemRecord& item : items) {
        if (item.base == nullptr) continue;
        if (settings != nullptr && !IsPlacedByImport(game.FormQueryType(item.base), item.bWorkshopItem, *settings)) {
            continue;
        }
        const std::vector<host::Form*> created =
            PlaceDecorItem(item.base, item.fPosX, item.fPosY, item.fPosZ, item.fRotX, item.fRotY, item.fRotZ,
                           item.fScale, cell, shipRef);
        if (created.empty()) {
            RemovePlacedItems(placed);
            error.sExtraErrorText = "CreatedRefs.size == 0 of base " + DescribeForm(item.base);
            return false;
        }
        placed.push_back({created[0], &item});
    }
    return true;
}

void FinishDecorItems(const std::vector<PlacedDecorItem>& placed, host::Form* closestWorkshop,
                      const host::Form* workshopItemKeyword) {
    const veltrane::GameInterface& game = host::Game();
    for (const PlacedDecorItem& placedItem : placed) {
        const DecorItemRecord& item = *placedItem.item;
        if (!item.overrideName.empty()) {
            if (veltrane::ExtraDataList* extra = game.RefGetExtraDataList(placedItem.reference)) {
                game.RefSetDisplayNameOverride(placedItem.reference, extra, item.overrideName.c_str());
            }
        }
        if (item.bWorkshopItem) game.RefSetLinkedRef(placedItem.reference, closestWorkshop, workshopItemKeyword, true);
    }
}

}  // namespace Corvanis
