// A world whose ship is as large as a player's ship gets: every component the
// exporter writes, hundreds of modules and thousands of decoration items in
// the interior, with forms from full, FE and FD slot files. The player is
// aboard.
#pragma once

#include <string>

namespace dev_support {

struct LargeShipShape {
    int modules = 500;
    int decorationItems = 5000;
    int keywords = 16;
    int properties = 16;
    int traversals = 24;
    int traversalGroups = 6;
    int containerEntries = 40;
    // Cells the game's cell manager holds loaded, besides the ship's interior.
    int loadedCells = 0;
};

std::string LargeShipWorld(const LargeShipShape& shape = {});

}  // namespace dev_support
