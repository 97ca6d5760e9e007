// A picture of a ship for players to look at and share: top, side and front
// views of its modules and decoration items at one scale, modules coloured
// by their item form, with a legend that names each form, and the ship's
// name and extent.
#pragma once

#include <string>
#include <vector>

#include "tools/blueprint/ShipModel.h"

namespace blueprint_tool {

struct ShipPicture {
    std::string name;
    std::vector<ShipModule> modules;
    std::vector<DecorationItem> items;
};

// The picture as an SVG document. Each view is a group of class "view" with
// the id "top", "side" or "front"; in it every module is one element of
// class "module" and every decoration item one of class "item".
std::string ShipSvg(const ShipPicture& picture);

}  // namespace blueprint_tool
