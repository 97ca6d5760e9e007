// The form IDs of the game's keywords that decide what belongs to a ship
// rather than to its decoration: the exporter leaves such items out, and the
// interior import leaves them standing.
#pragma once

#include <cstdint>

namespace Corvanis {

constexpr std::uint32_t kSpaceshipCockpitPilotSeatID = 0x5627;
constexpr std::uint32_t kSpaceshipInventoryContainerID = 0x18DFD;

}  // namespace Corvanis
