// The game's cell manager as a world stages it: the service record plug-ins
// read, and what each entry of its table of loaded cells was staged as. A
// real game's table can hold stale entries; a world file can put an entry,
// or the cell it leads to, where such entries lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/layouts/GameObjects.h"
#include "host/layouts/LoadedCells.h"
#include "sim/memory/WorldMemory.h"

namespace sim {

class World;

struct StagedCellEntry {
    // Where the entry record lies; none: the table points into memory that is
    // not mapped, and there is no record.
    std::optional<MemoryPlace> memory = MemoryPlace::AboveTiB;
    // The record holds an address of memory that is not mapped instead of a
    // cell.
    bool cellUnmapped = false;
    veltrane::Form* cell = nullptr;
    // What the table holds, and what the record holds in place of a cell.
    std::uintptr_t address = 0;
    std::uintptr_t cellAddress = 0;
};

struct StagedCellManager {
    veltrane::CellManager* service = nullptr;  // in the world's memory
    std::vector<StagedCellEntry> entries;
    // The table itself is stale: the manager points to memory that is not
    // mapped, where a table of that many entries once lay.
    bool tableUnmapped = false;
};

// Lays the entry out in the world's memory: its record, if it has one, and
// the addresses the table and the record hold. `index` keeps the unmapped
// addresses of different entries apart. False, with `problem`, when the
// memory cannot be had.
bool PlaceCellEntry(World& world, StagedCellEntry& entry, std::size_t index, std::string& problem);

// The service over the placed entries, in the world's memory above 1 TiB.
veltrane::CellManager* MakeCellManager(World& world, veltrane::Form* currentCell, const StagedCellManager& staged,
                                       std::string& problem);

// How a world file and the console name where memory lies.
const char* MemoryPlaceName(MemoryPlace place);
std::optional<MemoryPlace> MemoryPlaceNamed(const std::string& name);

// What is wrong with the entry as it was staged, in the order a reader of
// the table meets it; empty for an entry that leads to a cell as it should.
std::vector<std::string> CellEntryFaults(const StagedCellEntry& entry);

}  // namespace sim
