// The request by which the game creates a placed reference.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"

namespace veltrane {

struct CreateReferenceRequest {
    std::uint64_t recordMarker;  // 0   the game's marker for this record type
    float zero08;                // 8
    float zero0C;                // 12
    float position[3];           // 16
    float rotation[3];           // 28  radians
    float scale;                 // 40
    float zero2C;                // 44
    Form* baseObject;            // 48
    Form* cell;                  // 56  none when a parent ship is given
    Form* parentShip;            // 64
    std::uint64_t zero48;        // 72
    std::uint8_t zero50[60];     // 80 .. 139
    std::uint8_t flag8C;         // 140 always 1
    std::uint8_t flag8D;         // 141 always 1
    std::uint8_t zero8E[10];     // 142 .. 151
    std::uint64_t one98;         // 152 always 1
    std::uint8_t zeroA0[16];     // 160 .. 175
};
static_assert(sizeof(CreateReferenceRequest) == 176);
static_assert(offsetof(CreateReferenceRequest, position) == 16);
static_assert(offsetof(CreateReferenceRequest, rotation) == 28);
static_assert(offsetof(CreateReferenceRequest, scale) == 40);
static_assert(offsetof(CreateReferenceRequest, baseObject) == 48);
static_assert(offsetof(CreateReferenceRequest, cell) == 56);
static_assert(offsetof(CreateReferenceRequest, parentShip) == 64);
static_assert(offsetof(CreateReferenceRequest, flag8C) == 140);
static_assert(offsetof(CreateReferenceRequest, flag8D) == 141);
static_assert(offsetof(CreateReferenceRequest, one98) == 152);

}  // namespace veltrane
