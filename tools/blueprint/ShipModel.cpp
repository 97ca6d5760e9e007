#include "tools/blueprint/ShipModel.h"

#include <algorithm>

namespace blueprint_tool {

std::optional<Extent> ModuleExtent(const std::vector<ShipModule>& modules) {
    if (modules.empty()) return std::nullopt;
    Extent extent{modules.front().position, modules.front().position};
    for (const ShipModule& module : modules) {
        const Point3& p = module.position;
        extent.min = {std::min(extent.min.x, p.x), std::min(extent.min.y, p.y), std::min(extent.min.z, p.z)};
        extent.max = {std::max(extent.max.x, p.x), std::max(extent.max.y, p.y), std::max(extent.max.z, p.z)};
    }
    return extent;
}

}  // namespace blueprint_tool
