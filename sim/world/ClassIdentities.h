// The class identities game objects begin with (host/layouts/GameObjects.h, ObjectHead):
// addresses of class tables inside the game module, as a real game's
// virtual tables are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "host/layouts/GameObjects.h"
#include "host/layouts/LoadedCells.h"

namespace sim {

enum class ObjectClass : std::uint8_t {
    Cell1,  // the game's three classes of cell object, which the simulated
    Cell2,  // game treats alike
    Cell3,
    Form,  // every form that is neither a cell nor a reference
    Reference,
    CellManager,
};

const void* ClassIdentity(ObjectClass objectClass);

// The cell class of the index, 0 to kCellClassCount - 1.
ObjectClass CellClass(std::size_t index);
// Which of the cell classes the identity is; none for any other value.
std::optional<std::size_t> CellClassIndex(const void* identity);

// A value a cell may be staged with that is no class's identity: an address
// below the game module.
const void* LowClassIdentity();

// How a world file names what a cell begins with: "cell1", "cell2", "cell3",
// "low" (LowClassIdentity) and "other" (the identity of plain forms, which is
// no cell's). Empty for any other value.
std::string CellIdentityName(const void* identity);
std::optional<const void*> CellIdentityNamed(const std::string& name);

}  // namespace sim
