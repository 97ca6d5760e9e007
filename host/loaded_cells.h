// The cells the game's cell manager holds, read from its table of loaded
// cells. The table can hold stale entries, and reading memory that is not
// there is no C++ exception: it ends the game. So every pointer taken from
// the table is checked for where it lies, and asked of the system whether it
// can be read, before anything reads through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/host.h"
#include "host/layouts/LoadedCells.h"
#include "platform/platform.h"

namespace host {

// The game keeps its objects above this address and below its module.
constexpr std::uintptr_t kLowestObjectAddress = 10'000'000'000;
// Cells lie above 1 TiB.
constexpr std::uintptr_t kLowestCellAddress = std::uintptr_t{1} << 40;
// Only the first entries of the table are read.
constexpr std::size_t kLoadedCellEntriesRead = 50;

// What keeps an entry's cell from being taken, in the order the checks meet
// it; None for an entry that leads to a cell.
enum class LoadedCellFault {
    None,
    EntryOutOfRange,   // the entry pointer is not where the game keeps objects
    EntryNotReadable,  // nothing readable is there
    CellOutOfRange,    // the cell pointer is not where the game keeps objects
    CellBelowTiB,
    CellNotReadable,
    ClassIdentityLow,  // the cell's class identity lies below the game module
    ClassIdentityNotACell,
};

// The game's module base and the class identities of its cells, against
// which entries are checked.
struct CellBounds {
    std::uintptr_t moduleBase;
    const void* const* cellClassIdentities;  // kCellClassCount of them
};

// Whether the address lies where the game keeps its objects.
bool IsObjectAddress(std::uintptr_t address, std::uintptr_t moduleBase);

struct LoadedCellCheck {
    Form* cell;  // null unless fault is None
    LoadedCellFault fault;
};

// Follows one entry of the table to its cell, reading nothing that the view
// of readable memory does not hold.
LoadedCellCheck CheckLoadedCellEntry(const veltrane::LoadedCellEntry* entry, const CellBounds& bounds,
                                     const platform::ReadableMemoryView& readable);

// Appends the cell manager's current cell, when it has one, then the cells
// of the first kLoadedCellEntriesRead entries of its table that lead to a
// cell, in the table's order. Appends nothing while the game has no cell
// manager.
void AppendManagedCells(std::vector<Form*>& cells);

}  // namespace host
