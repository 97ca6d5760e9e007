// Form type codes as the game knows them: their four-letter names, and which
// kinds of form are bound objects (things that can be placed in the world).
#pragma once

#include <cstdint>
#include <string_view>

#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"

namespace sim {

// The game's table of type names. Some codes have no name.
const veltrane::FormTypeName* FormTypeNames();
std::uint32_t FormTypeNameCount();
std::string_view FormTypeName(std::uint8_t code);  // empty when unnamed

bool IsBoundObjectType(std::uint8_t code);

}  // namespace sim
