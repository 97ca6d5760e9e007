#include "tools/blueprint/ShipDescription.h"

#include "tools/blueprint/NumberText.h"

namespace blueprint_tool {

std::string ShipName(const BlueprintReading& reading) {
    if (!reading.header.shipName.empty()) return reading.header.shipName;
    if (!reading.layout.displayName.empty()) return reading.layout.displayName;
    return reading.layout.fullName;
}

std::string ExtentSizeText(const Extent& extent) {
    const auto size = [](float min, float max) { return FixedText(static_cast<double>(max) - min, 2); };
    return size(extent.min.x, extent.max.x) + " x " + size(extent.min.y, extent.max.y) + " x " +
           size(extent.min.z, extent.max.z);
}

}  // namespace blueprint_tool
