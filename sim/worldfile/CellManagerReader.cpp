// The game's cell manager: its current cell and its table of loaded cells,
// whose entries may lie anywhere in memory, or in memory that is not mapped.
#include <string>
#include <utility>

#include "sim/world/CellManager.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

using veltrane::Form;

Form* CellOrNull(const Entry& entry, const FormResolver& resolver) {
    Form* form = resolver.FormOrNull(entry);
    if (form != nullptr && form->kind != FormKind::Cell) entry.Fail("must name a cell");
    return form;
}

// A cell's name, or an object that says where the entry lies and what it
// holds.
StagedCellEntry ReadCellEntry(const Entry& element, const FormResolver& resolver) {
    StagedCellEntry entry;
    if (element.Value().is_string()) {
        entry.cell = CellOrNull(element, resolver);
        return entry;
    }
    element.AllowOnly({"cell", "memory", "cellMemory"});
    if (auto memory = element.Optional("memory")) {
        const std::string text = memory->String();
        if (text == "unmapped") {
            if (element.Has("cell") || element.Has("cellMemory")) {
                memory->Fail("an entry in memory that is not mapped holds nothing");
            }
            entry.memory.reset();
            return entry;
        }
        entry.memory = MemoryPlaceNamed(text);
        if (!entry.memory) memory->Fail("must be \"aboveTiB\", \"belowTiB\", \"low\", \"module\" or \"unmapped\"");
    }
    if (auto cellMemory = element.Optional("cellMemory")) {
        if (cellMemory->String() != "unmapped") cellMemory->Fail("must be \"unmapped\"");
        if (element.Has("cell")) cellMemory->Fail("give \"cell\" or \"cellMemory\", not both");
        entry.cellUnmapped = true;
        return entry;
    }
    entry.cell = CellOrNull(element.Field("cell"), resolver);
    return entry;
}

}  // namespace

void ReadCellManager(const Entry& manager, GameGlobals& globals, const FormResolver& resolver) {
    World& world = resolver.TheWorld();
    manager.AllowOnly({"currentCell", "loadedCells", "table"});
    Form* current = nullptr;
    if (auto cell = manager.Optional("currentCell")) current = CellOrNull(*cell, resolver);
    StagedCellManager staged;
    std::string problem;
    if (auto entries = manager.Optional("loadedCells")) {
        for (const Entry& element : entries->Elements()) {
            StagedCellEntry entry = ReadCellEntry(element, resolver);
            if (!PlaceCellEntry(world, entry, staged.entries.size(), problem)) element.Fail(problem);
            staged.entries.push_back(entry);
        }
    }
    if (auto table = manager.Optional("table")) {
        if (table->String() != "unmapped") table->Fail("must be \"unmapped\"");
        staged.tableUnmapped = true;
    }
    staged.service = MakeCellManager(world, current, staged, problem);
    if (staged.service == nullptr) manager.Fail(problem);
    globals.cellManager = staged.service;
    world.cellManager = std::move(staged);
}

}  // namespace sim
