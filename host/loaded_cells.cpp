#include "host/loaded_cells.h"

#include <algorithm>

#include "host/layouts/LoadedCells.h"

namespace host {

namespace {

using veltrane::LoadedCellEntry;
using veltrane::ObjectHead;

std::uintptr_t AddressOf(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

bool IsCellClass(const void* identity, const CellBounds& bounds) {
    const void* const* end = bounds.cellClassIdentities + veltrane::kCellClassCount;
    return std::find(bounds.cellClassIdentities, end, identity) != end;
}

}  // namespace

bool IsObjectAddress(std::uintptr_t address, std::uintptr_t moduleBase) {
    return address > kLowestObjectAddress && address < moduleBase;
}

LoadedCellCheck CheckLoadedCellEntry(const LoadedCellEntry* entry, const CellBounds& bounds,
                                     const platform::ReadableMemoryView& readable) {
    if (!IsObjectAddress(AddressOf(entry), bounds.moduleBase)) return {nullptr, LoadedCellFault::EntryOutOfRange};
    if (!readable.IsReadable(entry, sizeof(LoadedCellEntry))) {
        return {nullptr, LoadedCellFault::EntryNotReadable};
    }
    Form* cell = entry->cell;
    if (!IsObjectAddress(AddressOf(cell), bounds.moduleBase)) return {nullptr, LoadedCellFault::CellOutOfRange};
    if (AddressOf(cell) <= kLowestCellAddress) return {nullptr, LoadedCellFault::CellBelowTiB};
    if (!readable.IsReadable(cell, sizeof(ObjectHead))) return {nullptr, LoadedCellFault::CellNotReadable};
    const void* identity = reinterpret_cast<const ObjectHead*>(cell)->classIdentity;
    if (AddressOf(identity) <= bounds.moduleBase) return {nullptr, LoadedCellFault::ClassIdentityLow};
    if (!IsCellClass(identity, bounds)) return {nullptr, LoadedCellFault::ClassIdentityNotACell};
    return {cell, LoadedCellFault::None};
}

void AppendManagedCells(std::vector<Form*>& cells) {
    const veltrane::GameInterface& game = Game();
    const veltrane::CellManager* manager = *game.cellManager;
    if (manager == nullptr) return;
    if (manager->currentCell != nullptr) cells.push_back(manager->currentCell);

    const std::size_t read = std::min<std::size_t>(manager->loadedCells.count, kLoadedCellEntriesRead);
    LoadedCellEntry* const* table = manager->loadedCells.data;
    if (read == 0) return;
    // One look at the process's memory for the whole walk: on Linux a look
    // for each of the up to 101 pointers took 3 ms of the import's frame.
    const platform::ReadableMemoryView readable;
    // The table is the game's own, but a count gone stale would lead past
    // its end.
    if (!readable.IsReadable(table, read * sizeof(LoadedCellEntry*))) return;
    const CellBounds bounds{platform::MainModuleBase(), game.cellClassIdentities};
    for (std::size_t i = 0; i < read; ++i) {
        if (const LoadedCellCheck check = CheckLoadedCellEntry(table[i], bounds, readable); check.cell != nullptr) {
            cells.push_back(check.cell);
        }
    }
}

}  // namespace host
