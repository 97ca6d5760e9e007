// What `info` and `render` say of a ship: the facts of one reading, named
// once for both.
#pragma once

#include <string>

#include "tools/blueprint/BlueprintReading.h"

namespace blueprint_tool {

// The ship's name: the header's, else the display name the layout import
// would give it, else its full name; empty when the blueprint has none.
std::string ShipName(const BlueprintReading& reading);

// "4.00 x 18.75 x 1.50": the sizes of the box the module positions span.
std::string ExtentSizeText(const Extent& extent);

}  // namespace blueprint_tool
