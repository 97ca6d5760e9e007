#include "host/layouts/CommandTables.h"
#include "host/layouts/DataFiles.h"
#include "sim/GameState.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/ConsoleText.h"
#include "sim/console/GameCommands.h"
#include "sim/console/commands/CommandGroups.h"
#include "sim/console/commands/ComponentSummary.h"
#include "sim/events/PlayerUpdateSource.h"
#include "sim/memory/AddressText.h"
#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/ClassIdentities.h"
#include "sim/world/Components.h"
#include "sim/world/FormTypes.h"
#include "sim/world/References.h"
#include "sim/worldfile/FormRefText.h"

namespace sim {

namespace {

using veltrane::Form;

// Plug-ins read at most this many entries of the loaded-cell table; the
// console marks the entries after them.
constexpr std::size_t kCellEntriesLookedAt = 50;

std::string TypeText(std::uint8_t code) {
    const std::string_view name = FormTypeName(code);
    return std::to_string(code) + (name.empty() ? "" : " " + std::string(name));
}

std::string FileIndexText(const veltrane::FileRecord& file) {
    switch (file.slot) {
        case FileSlot::Full: return HexID(file.compileIndex, 2);
        case FileSlot::Small: return "FE" + HexID(file.smallIndex, 3);
        case FileSlot::Medium: return "FD" + HexID(file.mediumIndex, 2);
    }
    return {};
}

std::string Flags(std::uint32_t flags) { return "flags 0x" + HexID(flags, 1); }

Form* TypedFormOrComplain(const std::string& command, const std::string& text) {
    Form* form = FindTypedForm(TheWorld(), text);
    if (form == nullptr) WriteConsoleLine(command + ": no form is named \"" + text + "\"");
    return form;
}

void ListFiles(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.files")) return;
    const World& world = TheWorld();
    if (world.Files().empty()) WriteConsoleLine("No data files are loaded.");
    for (const auto& file : world.Files()) {
        WriteConsoleLine(FileIndexText(*file) + " " + file->name + " (" + SlotName(file->slot) + ", " +
                         Flags(file->flags) + ")");
    }
}

std::string FileListText(const World& world, const Form& form) {
    if (form.fileListIndex == veltrane::kNoFileList) return "none";
    std::string text = std::to_string(form.fileListIndex);
    if (form.fileListIndex >= world.Lists().Table()->count) return text + " (outside the table)";
    text += " [";
    bool first = true;
    for (const veltrane::FileRecord* file : world.Lists().Entries(form.fileListIndex)) {
        if (!first) text += ", ";
        first = false;
        if (file == nullptr) {
            text += "empty";
        } else if (world.IsFileRecord(file)) {
            text += file->name + (file->flags & 1 ? "" : " (inactive)");
        } else {
            text += "not a file: " + Label(reinterpret_cast<const Form*>(file));
        }
    }
    return text + "]";
}

std::string ExtraText(const World& world, const veltrane::ExtraDataList* extra) {
    if (extra == nullptr) return "no extra data";
    std::string text = "extra data [";
    std::string parts;
    auto add = [&](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
    if (extra->editorID) add("editorID " + Quoted(*extra->editorID));
    if (extra->overrideName) add("name " + Quoted(*extra->overrideName));
    if (extra->formID) {
        const Form* named = world.LookupAny(*extra->formID);
        add("formID " + (named != nullptr ? Label(named) : HexID(*extra->formID, 8)));
    }
    for (const ReferenceLink& link : extra->links) add("link " + Label(link.keyword) + " -> " + Label(link.target));
    return text + parts + "]";
}

// "object at 0x200000000010 (aboveTiB), class identity cell1"
std::string CellObjectText(const Form* cell) {
    return "object at " + AddressText(cell) + " (" + MemoryPlaceName(cell->cell->memory) + "), class identity " +
           CellIdentityName(cell->head.classIdentity);
}

void ShowForm(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.form FORM");
    if (!words) return;
    Form* form = TypedFormOrComplain("sim.form", words->front());
    if (form == nullptr) return;
    const World& world = TheWorld();
    std::string line = Label(form) + ": type " + TypeText(form->storedType);
    if (form->queryType != form->storedType) line += " (answers " + TypeText(form->queryType) + ")";
    line += ", name " + Quoted(form->ref ? ReferenceDisplayName(form) : form->displayName);
    line += ", files " + FileListText(world, *form);
    line += ", keywords ";
    if (!form->hasKeywordList) {
        line += "none";
    } else {
        std::string list;
        for (const Form* keyword : form->keywords) list += (list.empty() ? "" : ", ") + Label(keyword);
        line += "[" + list + "]";
    }
    if (form->cell) {
        line += form->cell->interior ? ", interior" : ", exterior";
        if (!form->cell->loaded) line += ", not loaded";
        line += ", " + std::to_string(form->cell->references.size()) + " reference slots, " + CellObjectText(form);
    }
    if (form->ref) {
        const ReferenceData& data = *form->ref;
        line += ", base " + Label(data.base) + ", cell " + Label(data.parentCell) + ", position " +
                VectorText(data.position) + ", rotation " + VectorText(data.rotation) + ", scale " +
                std::to_string(data.scale) + ", " + ExtraText(world, data.extra);
        if (data.interiorCell != nullptr) line += ", interior " + Label(data.interiorCell);
        if (data.workshopCleanupDone) line += ", workshop clean-up done";
    }
    if (!form->components.empty()) {
        std::string list;
        for (const ComponentInstance& component : form->components) {
            list += (list.empty() ? "" : ", ") + std::string(component.type->name);
        }
        line += ", components [" + list + "]";
    }
    if (form->placement == Placement::Refused) line += ", cannot be placed";
    if (form->placement == Placement::Vanishes) line += ", vanishes when placed";
    if (form->placement == Placement::WithoutExtraData) line += ", placed without extra data";
    WriteConsoleLine(line);
}

void ListShips(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.ships")) return;
    const World& world = TheWorld();
    const Form* aboard = ShipPlayerIsIn(world);
    std::size_t listed = 0;
    for (const Form* reference : world.FormsOfKind(FormKind::Reference)) {
        if (reference->ref->removed || reference->ref->interiorCell == nullptr) continue;
        std::string line = Label(reference) + " " + Quoted(ReferenceDisplayName(reference)) + ": base " +
                           Label(reference->ref->base) + ", interior " + Label(reference->ref->interiorCell);
        if (reference == world.player.homeShip) line += ", home ship";
        if (reference == aboard) line += ", player aboard";
        WriteConsoleLine(line);
        ++listed;
    }
    if (listed == 0) WriteConsoleLine("There are no ships.");
}

void ShowComponents(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.components SHIP");
    if (!words) return;
    Form* form = TypedFormOrComplain("sim.components", words->front());
    if (form == nullptr) return;
    if (form->ref) form = form->ref->base;
    if (form == nullptr) {
        WriteConsoleLine("sim.components: the reference has no base object");
        return;
    }
    WriteConsoleLine("Components of " + Label(form) + ": " + std::to_string(form->components.size()));
    for (const ComponentInstance& component : form->components) WriteConsoleLine(ComponentSummary(component));
}

void ShowCell(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 0, 1, "Usage: sim.cell [CELL]");
    if (!words) return;
    const World& world = TheWorld();
    Form* cell = nullptr;
    if (words->empty()) {
        cell = world.player.reference != nullptr ? world.player.reference->ref->parentCell : nullptr;
        if (cell == nullptr) {
            WriteConsoleLine("sim.cell: the player is in no cell");
            return;
        }
    } else {
        cell = TypedFormOrComplain("sim.cell", words->front());
        if (cell == nullptr) return;
        if (!cell->cell) {
            WriteConsoleLine("sim.cell: " + Label(cell) + " is not a cell");
            return;
        }
    }
    const auto& slots = cell->cell->references;
    WriteConsoleLine(Label(cell) + " (" + (cell->cell->interior ? "interior" : "exterior") +
                     (cell->cell->loaded ? "" : ", not loaded") + "): " + std::to_string(slots.size()) +
                     " reference slots");
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Form* reference = slots[i];
        std::string line = "[" + std::to_string(i) + "] ";
        if (reference == nullptr) {
            WriteConsoleLine(line + "empty");
            continue;
        }
        const Form* base = reference->ref->base;
        line += Label(reference) + ": base " + Label(base);
        if (base != nullptr) line += " (" + TypeText(base->storedType) + ")";
        line += " at " + VectorText(reference->ref->position) + ", rotation " +
                VectorText(reference->ref->rotation) + ", scale " + std::to_string(reference->ref->scale);
        const veltrane::ExtraDataList* extra = reference->ref->extra;
        if (extra == nullptr) line += ", no extra data";
        if (extra != nullptr && extra->overrideName) line += ", named " + Quoted(*extra->overrideName);
        if (extra != nullptr) {
            for (const ReferenceLink& link : extra->links) {
                line += ", linked to " + Label(link.target) + " under " + Label(link.keyword) +
                        (link.persist ? " (persist)" : " (no persist)");
            }
        }
        WriteConsoleLine(line);
    }
}

// "[2] 0x200000000a20 -> 0x200000000010 01000A00 Bay (cell1): good"
std::string CellEntryLine(std::size_t index, const StagedCellEntry& entry) {
    std::string line = "[" + std::to_string(index) + "] " + AddressText(entry.address);
    if (entry.memory) {
        line += " -> ";
        if (entry.cellUnmapped) {
            line += AddressText(entry.cellAddress);
        } else if (entry.cell == nullptr) {
            line += "none";
        } else {
            line += AddressText(entry.cell) + " " + Label(entry.cell) + " (" +
                    CellIdentityName(entry.cell->head.classIdentity) + ")";
        }
    }
    std::string faults;
    for (const std::string& fault : CellEntryFaults(entry)) faults += (faults.empty() ? "" : ", ") + fault;
    line += ": " + (faults.empty() ? std::string("good") : faults);
    if (index >= kCellEntriesLookedAt) line += ", past the first " + std::to_string(kCellEntriesLookedAt);
    return line;
}

void ShowCellManager(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.cellmanager")) return;
    const auto& manager = TheWorld().cellManager;
    if (!manager) {
        WriteConsoleLine("The game has no cell manager.");
        return;
    }
    WriteConsoleLine("Cell manager at " + AddressText(manager->service) + ": current cell " +
                     Label(manager->service->currentCell) + ", " + std::to_string(manager->entries.size()) +
                     " loaded-cell entries" + (manager->tableUnmapped ? ", its table not mapped" : ""));
    for (std::size_t i = 0; i < manager->entries.size(); ++i) WriteConsoleLine(CellEntryLine(i, manager->entries[i]));
}

void ShowPlayer(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.player")) return;
    const World& world = TheWorld();
    const PlayerInfo& player = world.player;
    if (player.reference == nullptr) {
        WriteConsoleLine("There is no player character.");
        return;
    }
    const Form* cell = player.reference->ref->parentCell;
    std::string line = "Player " + Label(player.reference) + " in " + Label(cell);
    if (cell != nullptr) line += cell->cell->interior ? " (interior)" : " (exterior)";
    line += " at " + VectorText(player.reference->ref->position) + "; aboard " + Label(ShipPlayerIsIn(world)) +
            "; home ship " + Label(player.homeShip) + "; ship reference " + Label(player.shipReference) +
            "; associated cells [";
    std::string cells;
    for (std::uint32_t id : player.associatedCellIDs) {
        const Form* form = world.LookupAny(id);
        cells += (cells.empty() ? "" : ", ") + (form != nullptr ? Label(form) : HexID(id, 8));
    }
    WriteConsoleLine(line + cells + "]");
}

void ShowPilotingForm(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.pilotform")) return;
    WriteConsoleLine("Piloting requirement form: " + Label(TheGame().globals.pilotingRequirementForm));
}

void ListTable(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.commands script|console");
    if (!words) return;
    const std::string& which = words->front();
    if (which != "script" && which != "console") {
        WriteConsoleLine("Usage: sim.commands script|console");
        return;
    }
    const CommandTableKind kind = which == "script" ? CommandTableKind::Script : CommandTableKind::Console;
    const CommandTables& tables = TheGame().tables;
    const auto entries = tables.Entries(kind);
    for (const veltrane::CommandEntry* entry : entries) {
        std::string line = "0x" + HexID(entry->opcode, 4) + " ";
        if (entry->execute == &PlaceholderExecute) {
            WriteConsoleLine(line + (entry->longName == nullptr ? "placeholder without a name" : "free placeholder"));
            continue;
        }
        line += entry->longName != nullptr ? entry->longName : "(no name)";
        if (HasShortName(*entry)) line += " (" + std::string(entry->shortName) + ")";
        if (IsPluginEntry(*entry)) line += " [plug-in]";
        WriteConsoleLine(line);
    }
    const veltrane::CommandEntry& sentinel = TheGame().tables.Table(kind)[entries.size()];
    WriteConsoleLine("0x" + HexID(sentinel.opcode, 4) + " end of table");
}

void ShowMemory(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.memory")) return;
    std::uint64_t held = 0;
    for (const Form* reference : TheWorld().FormsOfKind(FormKind::Reference)) held += reference->ref->heldCount;
    WriteConsoleLine("Game memory: " + std::to_string(GameLiveBlockCount()) + " blocks of " +
                     std::to_string(GameLiveByteCount()) + " bytes, " +
                     std::to_string(LiveFixedStringCount()) + " fixed strings, " + std::to_string(held) +
                     " references held by handle");
}

void ShowEvents(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.events")) return;
    WriteConsoleLine("PlayerUpdateEvent sinks: " + std::to_string(EventSinkCount(TheGame().playerUpdates)));
}

}  // namespace

void RegisterInspectionCommands() {
    RegisterGameCommand("sim.files", "Lists the data files in load order: sim.files", &ListFiles);
    RegisterGameCommand("sim.form", "Shows a form: sim.form FORM", &ShowForm);
    RegisterGameCommand("sim.ships", "Lists the ship references: sim.ships", &ListShips);
    RegisterGameCommand("sim.components", "Shows the components of a ship's base form: sim.components SHIP",
                        &ShowComponents);
    RegisterGameCommand("sim.cell", "Lists a cell's references, by default the player's cell: sim.cell [CELL]",
                        &ShowCell);
    RegisterGameCommand("sim.cellmanager",
                        "Shows the cell manager, its current cell and its loaded-cell entries: sim.cellmanager",
                        &ShowCellManager);
    RegisterGameCommand("sim.player", "Shows the player's situation: sim.player", &ShowPlayer);
    RegisterGameCommand("sim.pilotform", "Shows the piloting requirement form pointer: sim.pilotform",
                        &ShowPilotingForm);
    RegisterGameCommand("sim.commands", "Lists a command table with its placeholders: sim.commands script|console",
                        &ListTable);
    RegisterGameCommand("sim.memory", "Shows the game memory, fixed strings and held references in use: sim.memory",
                        &ShowMemory);
    RegisterGameCommand("sim.events", "Shows how many sinks receive player update events: sim.events", &ShowEvents);
}

}  // namespace sim
