// The game's cell manager and its table of loaded cells.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"
#include "host/layouts/StringsAndArrays.h"

namespace veltrane {

// The game has three classes of cell object.
constexpr std::size_t kCellClassCount = 3;

// One entry of the cell manager's table of loaded cells.
struct LoadedCellEntry {
    std::uint64_t unk00;  // the game's own
    Form* cell;
};
static_assert(sizeof(LoadedCellEntry) == 16);
static_assert(offsetof(LoadedCellEntry, cell) == 0x08);

// The game's cell manager: the cell the game treats as current and the
// entries of the cells it holds loaded. Entries may be stale.
struct CellManager {
    ObjectHead head;
    Form* currentCell;                          // may be none
    CountedArray<LoadedCellEntry*> loadedCells;
};
static_assert(sizeof(CellManager) == 0x20);
static_assert(offsetof(CellManager, currentCell) == 0x08);
static_assert(offsetof(CellManager, loadedCells) == 0x10);
static_assert(offsetof(CellManager, loadedCells) + offsetof(CountedArrayHeader, count) == 0x1C);

}  // namespace veltrane
