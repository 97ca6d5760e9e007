// What a blueprint holds, as the tool shows it: the ship's modules with their
// positions and item forms, and the decoration items. The importers' readers
// fill it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace blueprint_tool {

struct Point3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct ShipModule {
    Point3 position;
    std::string item;  // the item form's reference, "0A2000|Veltrane.vmf"; empty without one
};

struct DecorationItem {
    Point3 position;
    std::string base;  // the base object's reference
    bool workshopItem = false;
};

// The box that the module positions span.
struct Extent {
    Point3 min;
    Point3 max;
    Point3 Size() const { return {max.x - min.x, max.y - min.y, max.z - min.z}; }
};

// None without modules.
std::optional<Extent> ModuleExtent(const std::vector<ShipModule>& modules);

}  // namespace blueprint_tool
