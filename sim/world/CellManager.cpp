#include "sim/world/CellManager.h"

#include <new>

#include "host/layouts/LoadedCells.h"
#include "sim/world/ClassIdentities.h"
#include "sim/world/World.h"

namespace sim {

namespace {

using veltrane::Form;

// What the game keeps in the first word of an entry: the cell's load state,
// "attached".
constexpr std::uint64_t kAttachedState = 7;

struct PlaceName {
    MemoryPlace place;
    const char* name;
};

constexpr PlaceName kPlaceNames[] = {
    {MemoryPlace::AboveTiB, "aboveTiB"},
    {MemoryPlace::BelowTiB, "belowTiB"},
    {MemoryPlace::Low, "low"},
    {MemoryPlace::Module, "module"},
};

}  // namespace

bool PlaceCellEntry(World& world, StagedCellEntry& entry, std::size_t index, std::string& problem) {
    // Two unmapped addresses per entry, so that an entry's own and its cell's
    // never coincide.
    if (entry.cellUnmapped) {
        entry.cellAddress = world.Memory().UnmappedAddress(2 * index + 1, problem);
        if (entry.cellAddress == 0) return false;
    } else {
        entry.cellAddress = reinterpret_cast<std::uintptr_t>(entry.cell);
    }
    if (!entry.memory) {
        entry.address = world.Memory().UnmappedAddress(2 * index, problem);
        return entry.address != 0;
    }
    void* storage = world.Memory().Allocate(*entry.memory, sizeof(veltrane::LoadedCellEntry), problem);
    if (storage == nullptr) return false;
    auto* record = new (storage) veltrane::LoadedCellEntry{kAttachedState, reinterpret_cast<Form*>(entry.cellAddress)};
    entry.address = reinterpret_cast<std::uintptr_t>(record);
    return true;
}

veltrane::CellManager* MakeCellManager(World& world, Form* currentCell, const StagedCellManager& staged,
                                       std::string& problem) {
    const std::vector<StagedCellEntry>& entries = staged.entries;
    void* storage = world.Memory().Allocate(MemoryPlace::AboveTiB, sizeof(veltrane::CellManager), problem);
    if (storage == nullptr) return nullptr;
    auto* service = new (storage) veltrane::CellManager{};
    service->head.classIdentity = ClassIdentity(ObjectClass::CellManager);
    service->currentCell = currentCell;
    if (entries.empty()) return service;
    service->loadedCells.capacity = static_cast<std::uint32_t>(entries.size());
    service->loadedCells.count = static_cast<std::uint32_t>(entries.size());
    if (staged.tableUnmapped) {
        // Past the addresses the entries took.
        service->loadedCells.data =
            reinterpret_cast<veltrane::LoadedCellEntry**>(world.Memory().UnmappedAddress(2 * entries.size(), problem));
        return service->loadedCells.data != nullptr ? service : nullptr;
    }
    void* table = world.Memory().Allocate(MemoryPlace::AboveTiB, entries.size() * sizeof(veltrane::LoadedCellEntry*),
                                          problem);
    if (table == nullptr) return nullptr;
    service->loadedCells.data = static_cast<veltrane::LoadedCellEntry**>(table);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        service->loadedCells.data[i] = reinterpret_cast<veltrane::LoadedCellEntry*>(entries[i].address);
    }
    return service;
}

const char* MemoryPlaceName(MemoryPlace place) {
    for (const PlaceName& named : kPlaceNames) {
        if (named.place == place) return named.name;
    }
    return "aboveTiB";
}

std::optional<MemoryPlace> MemoryPlaceNamed(const std::string& name) {
    for (const PlaceName& named : kPlaceNames) {
        if (name == named.name) return named.place;
    }
    return std::nullopt;
}

std::vector<std::string> CellEntryFaults(const StagedCellEntry& entry) {
    std::vector<std::string> faults;
    if (!entry.memory) return {"entry not mapped"};
    if (*entry.memory == MemoryPlace::Low) faults.push_back("entry below 10,000,000,000");
    if (*entry.memory == MemoryPlace::Module) faults.push_back("entry inside the game module");
    if (entry.cellUnmapped) {
        faults.push_back("cell not mapped");
        return faults;
    }
    if (entry.cell == nullptr) {
        faults.push_back("no cell");
        return faults;
    }
    switch (entry.cell->cell->memory) {
        case MemoryPlace::Low: faults.push_back("cell below 10,000,000,000"); break;
        case MemoryPlace::Module: faults.push_back("cell inside the game module"); break;
        case MemoryPlace::BelowTiB: faults.push_back("cell below 1 TiB"); break;
        case MemoryPlace::AboveTiB: break;
    }
    const void* identity = entry.cell->head.classIdentity;
    if (identity == LowClassIdentity()) {
        faults.push_back("class identity below the game module");
    } else if (!CellClassIndex(identity)) {
        faults.push_back("class identity not a cell's");
    }
    return faults;
}

}  // namespace sim
