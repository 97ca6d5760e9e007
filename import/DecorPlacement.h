// Creating a blueprint's decoration items in the game: which items the
// import settings let through, the request the game creates each reference
// from, and the finishing touches (display name, workshop link).
#pragma once

#include <cstdint>
#include <vector>

#include "frame/settings/Settings.h"
#include "host/host.h"
#include "host/layouts/ReferenceCreation.h"
#include "import/ImportErrorInfo.h"
#include "import/reading/InteriorReader.h"

namespace Corvanis {

// Whether the import places an item whose base is of the type: the type is
// one a blueprint knows and its skip setting is off, and either the item's
// workshop flag equals bWorkshopItems or whether the type is an inventory
// type equals bInventoryItemTypes.
bool IsPlacedByImport(std::uint8_t type, bool bWorkshopItem, const ImportSettings& settings);

// The request for a new reference of the base: rotation in degrees turned
// into radians, and the ship reference as parent when there is one, else
// the cell.
veltrane::CreateReferenceRequest MakeCreateReferenceRequest(host::Form* base, const float position[3],
                                                            const float rotationDegrees[3], float scale,
                                                            host::Form* cell, host::Form* shipRef);

// Asks the game once for a new reference of the base. A cell or ship
// reference of none stands for the player's. The new reference, or nothing
// when there is no base, no player, no player's cell, or the game made none.
std::vector<host::Form*> PlaceDecorItem(host::Form* base, float fPosX, float fPosY, float fPosZ, float fRotX,
                                        float fRotY, float fRotZ, float fScale, host::Form* cell, host::Form* shipRef);

struct PlacedDecorItem {
    host::Form* reference;
    const DecorItemRecord* item;
};

// Creates, in list order, a reference for each item with a base that the
// settings let through (every item, without settings: a backup gives back
// what was), in the player's ship or else in the interior cell. When the
// game makes none for an item, removes again those it created, sets the
// error text and returns false.
bool CreateDecorItems(const std::vector<DecorItemRecord>& items, host::Form* theInteriorCell,
                      const ImportSettings* settings, std::vector<PlacedDecorItem>& placed, ImportErrorInfo& error);

// Removes the references again, as if they had never been placed.
void RemovePlacedItems(std::vector<PlacedDecorItem>& placed);

// Gives each new reference its item's name, when the item has one and the
// reference has extra data, and links a workshop item to the workshop.
void FinishDecorItems(const std::vector<PlacedDecorItem>& placed, host::Form* closestWorkshop,
                      const host::Form* workshopItemKeyword);

}  // namespace Corvanis
