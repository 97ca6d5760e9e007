// Decoration items carry their rotation in degrees; the game keeps radians.
// Both ways are computed in single precision with the game's own factor, so
// that an angle comes back as the game had it.
#pragma once

#include <bit>
#include <cstdint>

namespace Corvanis {

constexpr float kRadiansPerDegree = 0.017453292f;
static_assert(std::bit_cast<std::uint32_t>(kRadiansPerDegree) == 0x3C8EFA35);

}  // namespace Corvanis
