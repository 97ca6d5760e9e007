// The items of a cell as a player meets them in a world's dump: each live
// reference the cell lists, with its base, place, turn, size, name and links,
// whatever the reference is called and wherever it stands in the cell's
// list. An undo gives back new references, so it is held to these.
#pragma once

#include <set>
#include <string>

#include "sim/worldfile/Json.h"

namespace dev_support {

std::multiset<std::string> CellItems(const sim::Json& world, const std::string& cellID);

}  // namespace dev_support
