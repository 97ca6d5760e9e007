// What the game does with references: keywords, links, names, distance,
// creation from a request record, handles, removal and the clean-up after a
// removed workshop item, and which ship a cell belongs to.
#pragma once

#include <cstdint>

#include "host/layouts/GameObjects.h"
#include "host/layouts/ReferenceCreation.h"
#include "sim/world/World.h"

namespace sim {

bool IsLiveReference(const veltrane::Form* form);

// The form's own keywords, and for a reference also those of its base.
bool HasKeyword(const veltrane::Form* form, const veltrane::Form* keyword);

veltrane::Form* LinkedReference(const veltrane::Form* reference, const veltrane::Form* keyword);
// A null target drops the link. A reference without extra data gets a list.
void SetLinkedReference(World& world, veltrane::Form* reference, veltrane::Form* target,
                        const veltrane::Form* keyword, bool persist);

// The override name when set, else the base object's name.
const char* ReferenceDisplayName(const veltrane::Form* reference);

float Distance(const veltrane::Form* a, const veltrane::Form* b);

// Validates the request and places the new reference; returns its handle, or
// 0 when nothing was created (a malformed request is reported).
std::uint32_t CreateReference(World& world, const veltrane::CreateReferenceRequest* request,
                              std::uint64_t expectedMarker);

// The slot the reference held in its cell becomes empty; the object lives on
// for whoever still holds it, but the game no longer finds it.
void RemoveReference(World& world, veltrane::Form* reference);
void CleanUpRemovedWorkshopItem(World& world, veltrane::Form* reference);

// Moves a reference from its cell to the end of another cell's list.
void MoveReferenceToCell(veltrane::Form* reference, veltrane::Form* cell);

// The first ship reference whose interior is the cell.
veltrane::Form* ShipWithInterior(const World& world, const veltrane::Form* cell);
veltrane::Form* ShipPlayerIsIn(const World& world);

}  // namespace sim
