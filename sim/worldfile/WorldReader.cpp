#include "sim/worldfile/WorldReader.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "host/layouts/DataFiles.h"
#include "sim/world/AsciiCase.h"
#include "sim/world/ClassIdentities.h"
#include "sim/world/FormTypes.h"
#include "sim/worldfile/FormRefText.h"
#include "sim/worldfile/ReadContext.h"
#include "sim/worldfile/RecordReader.h"

namespace sim {

namespace {

using veltrane::FileRecord;
using veltrane::Form;

constexpr std::uint32_t kPilotingRequirementFormID = 0x002CFCAC;

const char* SectionName(FormKind kind) {
    switch (kind) {
        case FormKind::Plain: return "forms";
        case FormKind::Cell: return "cells";
        case FormKind::Reference: return "references";
    }
    return "forms";
}

// A form entry between the two passes: its identity is known, its details
// are read once every form exists.
struct PendingForm {
    Entry entry;
    FormKind kind;
    std::optional<std::uint32_t> formID;  // none until a run-time ID is handed out
    std::string worldName;
    const FileRecord* file = nullptr;  // the file that defines it, none for run-time forms
    Form* form = nullptr;
};

WorldContents NewContents() {
    WorldContents contents;
    contents.world = std::make_unique<World>();
    return contents;
}

class WorldReader {
public:
    explicit WorldReader(const Json& root) : root_(root, ""), resolver_(*contents_.world) {}

    WorldContents Read() {
        root_.AllowOnly({"format", "files", "game", "console", "player", "forms", "cells", "references", "session"});
        const Entry format = root_.Field("format");
        if (!format.Value().is_string() || format.String() != kWorldFormat) {
            format.Fail(std::string("must be \"") + kWorldFormat + "\"");
        }
        ReadFiles(root_.Field("files"));
        for (FormKind kind : {FormKind::Plain, FormKind::Cell, FormKind::Reference}) {
            if (auto section = root_.Optional(SectionName(kind))) IdentifyForms(*section, kind);
        }
        AssignRuntimeIDs();
        CreateForms();
        for (PendingForm& pending : pending_) FillForm(pending);
        CheckRemovedReferences();
        ReadPlayer(root_.Field("player"));
        ReadGame(root_.Optional("game"));
        if (auto console = root_.Optional("console")) ReadConsole(*console);
        if (auto session = root_.Optional("session")) ReadSession(*session);
        return std::move(contents_);
    }

private:
    World& TheWorld() { return *contents_.world; }

    // --- Files -------------------------------------------------------------------

    void ReadFiles(const Entry& files) {
        std::uint32_t full = 0, small = 0, medium = 0;
        std::unordered_map<std::string, std::string> seen;
        for (const Entry& entry : files.Elements()) {
            entry.AllowOnly({"name", "slot", "flags"});
            auto file = std::make_unique<FileRecord>();
            file->name = entry.Field("name").String();
            if (auto [at, added] = seen.emplace(CaseFolded(file->name), entry.Path()); !added) {
                entry.Field("name").Fail("the file \"" + file->name + "\" is also loaded at " + at->second);
            }
            const std::string slot = entry.Has("slot") ? entry.Field("slot").String() : "full";
            if (slot == "full") {
                if (full == kMaxFullFiles) entry.Fail("more full-slot files than compile indices");
                file->slot = FileSlot::Full;
                file->compileIndex = static_cast<std::uint8_t>(full++);
            } else if (slot == "small") {
                if (small == kMaxSmallFiles) entry.Fail("more small-slot files than FE indices");
                file->slot = FileSlot::Small;
                file->compileIndex = kSmallSlotByte;
                file->smallIndex = static_cast<std::uint16_t>(small++);
            } else if (slot == "medium") {
                if (medium == kMaxMediumFiles) entry.Fail("more medium-slot files than FD indices");
                file->slot = FileSlot::Medium;
                file->compileIndex = kMediumSlotByte;
                file->mediumIndex = static_cast<std::uint8_t>(medium++);
            } else {
                entry.Field("slot").Fail("must be \"full\", \"small\" or \"medium\"");
            }
            if (auto flags = entry.Optional("flags")) {
                file->flags = static_cast<std::uint32_t>(flags->Unsigned(std::numeric_limits<std::uint32_t>::max()));
            }
            TheWorld().AddFile(std::move(file));
        }
    }

    // --- First pass: who is who ----------------------------------------------------

    void IdentifyForms(const Entry& section, FormKind kind) {
        for (const Entry& element : section.Elements()) {
            const Entry idEntry = element.Field("id");
            const std::string id = idEntry.String();
            PendingForm pending{element.Labelled(id), kind, std::nullopt, {}, nullptr, nullptr};
            const auto parsed = ParseFormRefText(id);
            const bool hasFormID = element.Has("formID");
            if (!parsed || parsed->kind == FormRefText::Kind::EditorID) {
                idEntry.Fail("must be a file and local ID (Veltrane.vmf:01A2B3), a run-time name (@Name) or a "
                             "run-time ID (#FF000801)");
            }
            switch (parsed->kind) {
                case FormRefText::Kind::FileLocal: {
                    const FileRecord* file = TheWorld().FindFile(parsed->text);
                    if (file == nullptr) idEntry.Fail("no loaded file is named \"" + parsed->text + "\"");
                    const auto formID = file->FormIDOf(parsed->number);
                    if (!formID) idEntry.Fail("the local ID does not fit a file of that slot");
                    if (hasFormID) pending.entry.Field("formID").Fail("only run-time forms named @Name take a formID");
                    pending.file = file;
                    pending.formID = *formID;
                    break;
                }
                case FormRefText::Kind::WorldName:
                    pending.worldName = parsed->text;
                    if (auto [at, added] = worldNames_.emplace(parsed->text, pending.entry.Path()); !added) {
                        idEntry.Fail("the name " + parsed->text + " is also used by " + at->second);
                    }
                    if (hasFormID) pending.formID = ReadRuntimeID(pending.entry.Field("formID"));
                    break;
                case FormRefText::Kind::FormID:
                    if (!IsRuntimeFormID(parsed->number)) {
                        idEntry.Fail("a form from a data file is named by its file and local ID "
                                     "(Veltrane.vmf:01A2B3)");
                    }
                    if (hasFormID) pending.entry.Field("formID").Fail("only run-time forms named @Name take a formID");
                    pending.formID = parsed->number;
                    break;
                case FormRefText::Kind::EditorID:
                    break;
            }
            if (pending.formID) ClaimFormID(*pending.formID, pending.entry);
            pending_.push_back(std::move(pending));
        }
    }

    std::uint32_t ReadRuntimeID(const Entry& entry) {
        const std::string text = entry.String();
        const auto parsed = ParseFormRefText("#" + text);
        if (!parsed || text.size() != 8 || !IsRuntimeFormID(parsed->number)) {
            entry.Fail("must be a run-time form ID of eight hexadecimal digits starting FF");
        }
        return parsed->number;
    }

    void ClaimFormID(std::uint32_t formID, const Entry& entry) {
        if (auto [at, added] = formIDs_.emplace(formID, entry.Path()); !added) {
            entry.Fail("the form ID " + HexID(formID, 8) + " is also used by " + at->second);
        }
    }

    // Run-time forms a world names without an ID take the first free ones;
    // forms made later continue after the highest run-time ID in the world.
    void AssignRuntimeIDs() {
        std::uint32_t next = kFirstRuntimeFormID;
        for (PendingForm& pending : pending_) {
            if (pending.formID) continue;
            while (formIDs_.count(next) != 0) ++next;
            pending.formID = next;
            ClaimFormID(next, pending.entry);
        }
        std::uint32_t highest = kFirstRuntimeFormID - 1;
        for (const auto& claimed : formIDs_) {
            if (IsRuntimeFormID(claimed.first)) highest = std::max(highest, claimed.first);
        }
        TheWorld().SetNextRuntimeFormID(highest == 0xFFFFFFFF ? 0 : highest + 1);
    }

    void CreateForms() {
        for (PendingForm& pending : pending_) {
            const Entry& entry = pending.entry;
            FormHandle form = pending.kind == FormKind::Cell ? PlaceCell(entry) : TheWorld().MakeForm(pending.kind);
            form->formID = *pending.formID;
            form->worldName = pending.worldName;
            std::string editorID;
            switch (pending.kind) {
                case FormKind::Plain:
                    entry.AllowOnly({"id", "formID", "type", "queryType", "editorID", "name", "keywords", "files",
                                     "fileListIndex", "placement", "components"});
                    form->storedType = static_cast<std::uint8_t>(entry.Field("type").Unsigned(255));
                    if (form->storedType == veltrane::kFormTypeCell) entry.Field("type").Fail("a cell belongs in \"cells\"");
                    if (form->storedType == veltrane::kFormTypeObjectReference ||
                        form->storedType == veltrane::kFormTypeActorReference) {
                        entry.Field("type").Fail("a reference belongs in \"references\"");
                    }
                    if (entry.Has("editorID")) editorID = entry.Field("editorID").String();
                    break;
                case FormKind::Cell:
                    if (entry.Has("editorID")) editorID = entry.Field("editorID").String();
                    break;
                case FormKind::Reference:
                    // A reference's name is the override in its extra data, else its base's.
                    entry.AllowOnly({"id", "formID", "type", "queryType", "keywords", "files", "fileListIndex", "base",
                                     "position", "rotation", "scale", "extra", "interior", "removed",
                                     "workshopCleanup"});
                    form->storedType = veltrane::kFormTypeObjectReference;
                    if (auto type = entry.Optional("type")) {
                        form->storedType = static_cast<std::uint8_t>(type->Unsigned(255));
                        if (form->storedType != veltrane::kFormTypeObjectReference &&
                            form->storedType != veltrane::kFormTypeActorReference) {
                            type->Fail("must be 74 (object reference) or 75 (actor reference)");
                        }
                    }
                    form->ref = std::make_unique<ReferenceData>();
                    if (auto extra = entry.Optional("extra"); extra && extra->Has("editorID")) {
                        editorID = extra->Field("editorID").String();
                    }
                    break;
            }
            form->queryType = form->storedType;
            if (auto queryType = entry.Optional("queryType")) {
                form->queryType = static_cast<std::uint8_t>(queryType->Unsigned(255));
            }
            // A reference's editor ID lives in its extra data.
            if (pending.kind != FormKind::Reference) form->editorID = editorID;
            pending.form = TheWorld().AddForm(std::move(form));
            resolver_.AddEditorID(editorID, pending.form);
        }
    }

    // Cells lie in the game's memory in the order of the file.
    FormHandle PlaceCell(const Entry& entry) {
        entry.AllowOnly({"id", "formID", "queryType", "editorID", "name", "keywords", "files", "fileListIndex",
                         "interior", "loaded", "references", "memory", "classIdentity"});
        MemoryPlace place = MemoryPlace::AboveTiB;
        const auto memory = entry.Optional("memory");
        if (memory) {
            const auto named = MemoryPlaceNamed(memory->String());
            if (!named) memory->Fail("must be \"aboveTiB\", \"belowTiB\", \"low\" or \"module\"");
            place = *named;
        }
        const void* identity = ClassIdentity(ObjectClass::Cell1);
        if (auto staged = entry.Optional("classIdentity")) {
            const auto named = CellIdentityNamed(staged->String());
            if (!named) staged->Fail("must be \"cell1\", \"cell2\", \"cell3\", \"low\" or \"other\"");
            identity = *named;
        }
        std::string problem;
        FormHandle cell = TheWorld().MakeCell(place, identity, problem);
        if (!cell) (memory ? *memory : entry).Fail(problem);
        return cell;
    }

    // --- Second pass: details ----------------------------------------------------------

    void FillForm(PendingForm& pending) {
        const Entry& entry = pending.entry;
        Form& form = *pending.form;
        if (auto name = entry.Optional("name")) form.displayName = name->String();
        if (auto keywords = entry.Optional("keywords")) {
            form.hasKeywordList = true;
            for (const Entry& keyword : keywords->Elements()) form.keywords.push_back(resolver_.FormOrNull(keyword));
        }
        ReadFileList(pending);
        switch (pending.kind) {
            case FormKind::Plain: FillPlainForm(entry, form); break;
            case FormKind::Cell: FillCell(entry, form); break;
            case FormKind::Reference: FillReference(entry, form); break;
        }
    }

    void ReadFileList(PendingForm& pending) {
        const Entry& entry = pending.entry;
        const auto files = entry.Optional("files");
        const auto index = entry.Optional("fileListIndex");
        if (files && index) index->Fail("give \"files\" or \"fileListIndex\", not both");
        if (index) {
            pending.form->fileListIndex = static_cast<std::uint16_t>(index->Unsigned(0xFFFF));
            return;
        }
        std::vector<FileRecord*> entries;
        if (files) {
            if (files->IsNull()) return;
            for (const Entry& file : files->Elements()) entries.push_back(ReadFileListEntry(file));
        } else if (pending.file != nullptr) {
            entries.push_back(const_cast<FileRecord*>(pending.file));
        } else {
            return;
        }
        pending.form->fileListIndex = TheWorld().Lists().Intern(entries);
        if (pending.form->fileListIndex == veltrane::kNoFileList) entry.Fail("too many different file lists");
    }

    FileRecord* ReadFileListEntry(const Entry& file) {
        if (file.IsNull()) return nullptr;
        if (file.Value().is_object()) {
            // An entry that points at another kind of object.
            file.AllowOnly({"object"});
            return reinterpret_cast<FileRecord*>(resolver_.Form(file.Field("object")));
        }
        const std::string name = file.String();
        FileRecord* record = TheWorld().FindFile(name);
        if (record == nullptr) file.Fail("no loaded file is named \"" + name + "\"");
        return record;
    }

    void FillPlainForm(const Entry& entry, Form& form) {
        if (auto placement = entry.Optional("placement")) {
            const std::string text = placement->String();
            if (text == "normal") {
                form.placement = Placement::Normal;
            } else if (text == "refused") {
                form.placement = Placement::Refused;
            } else if (text == "vanishes") {
                form.placement = Placement::Vanishes;
            } else if (text == "withoutExtraData") {
                form.placement = Placement::WithoutExtraData;
            } else {
                placement->Fail("must be \"normal\", \"refused\", \"vanishes\" or \"withoutExtraData\"");
            }
        }
        if (auto components = entry.Optional("components")) ReadComponents(*components, form, resolver_);
    }

    void FillCell(const Entry& entry, Form& form) {
        form.cell->interior = entry.Field("interior").Bool();
        if (auto loaded = entry.Optional("loaded")) form.cell->loaded = loaded->Bool();
        if (auto references = entry.Optional("references")) {
            for (const Entry& slot : references->Elements()) {
                Form* reference = resolver_.FormOrNull(slot);
                if (reference != nullptr) {
                    if (reference->kind != FormKind::Reference) slot.Fail("must name a reference");
                    if (reference->ref->parentCell != nullptr) {
                        slot.Fail("the reference is already in " + FormatFormRef(TheWorld(), *reference->ref->parentCell));
                    }
                    reference->ref->parentCell = &form;
                    reference->ref->slot = form.cell->references.size();
                }
                form.cell->references.push_back(reference);
            }
        }
    }

    void ReadVector(const std::optional<Entry>& entry, float* out) {
        if (!entry) return;
        const std::vector<Entry> elements = entry->Elements();
        if (elements.size() != 3) entry->Fail("must hold three numbers");
        for (std::size_t axis = 0; axis < 3; ++axis) out[axis] = elements[axis].Float();
    }

    void FillReference(const Entry& entry, Form& form) {
        ReferenceData& data = *form.ref;
        const Entry base = entry.Field("base");
        data.base = resolver_.FormOrNull(base);
        if (data.base != nullptr && data.base->kind == FormKind::Reference) {
            base.Fail("the base of a reference cannot be a reference");
        }
        ReadVector(entry.Optional("position"), data.position);
        ReadVector(entry.Optional("rotation"), data.rotation);
        if (auto scale = entry.Optional("scale")) data.scale = static_cast<std::uint16_t>(scale->Unsigned(0xFFFF));
        const auto extra = entry.Optional("extra");
        if (!extra || !extra->IsNull()) {
            data.extra = TheWorld().NewExtraData();
            if (extra) ReadExtraData(*extra, *data.extra, resolver_);
        }
        if (auto interior = entry.Optional("interior")) {
            data.interiorCell = resolver_.FormOrNull(*interior);
            if (data.interiorCell != nullptr && data.interiorCell->kind != FormKind::Cell) {
                interior->Fail("must name a cell");
            }
        }
        if (auto removed = entry.Optional("removed")) data.removed = removed->Bool();
        if (auto cleanup = entry.Optional("workshopCleanup")) data.workshopCleanupDone = cleanup->Bool();
    }

    void CheckRemovedReferences() {
        for (const PendingForm& pending : pending_) {
            if (pending.kind == FormKind::Reference && pending.form->ref->removed &&
                pending.form->ref->parentCell != nullptr) {
                pending.entry.Fail("a removed reference cannot be in a cell");
            }
        }
    }

    Form* LiveReference(const Entry& entry, bool nullable) {
        Form* form = nullable ? resolver_.FormOrNull(entry) : resolver_.Form(entry);
        if (form == nullptr) return nullptr;
        if (form->kind != FormKind::Reference || form->ref->removed) entry.Fail("must name a reference in the world");
        return form;
    }

    // --- The player, the game, the console --------------------------------------------

    void ReadPlayer(const Entry& player) {
        if (player.IsNull()) return;
        player.AllowOnly({"reference", "homeShip", "shipReference", "associatedCells"});
        PlayerInfo& info = TheWorld().player;
        info.reference = LiveReference(player.Field("reference"), false);
        if (auto homeShip = player.Optional("homeShip")) info.homeShip = LiveReference(*homeShip, true);
        if (auto ship = player.Optional("shipReference")) info.shipReference = LiveReference(*ship, true);
        if (auto cells = player.Optional("associatedCells")) {
            for (const Entry& cell : cells->Elements()) info.associatedCellIDs.push_back(resolver_.FormID(cell));
        }
    }

    void ReadGame(const std::optional<Entry>& game) {
        GameGlobals& globals = contents_.globals;
        globals.pilotingRequirementForm = TheWorld().Lookup(kPilotingRequirementFormID);
        if (!game) return;
        game->AllowOnly({"workshopKeyword", "workshopItemKeyword", "pilotingRequirementForm", "pilotingRequirement",
                         "readiness", "nextRuntimeFormID", "cellManager"});
        if (auto keyword = game->Optional("workshopKeyword")) globals.workshopKeyword = resolver_.FormOrNull(*keyword);
        if (auto keyword = game->Optional("workshopItemKeyword")) {
            globals.workshopItemKeyword = resolver_.FormOrNull(*keyword);
        }
        if (auto form = game->Optional("pilotingRequirementForm")) {
            globals.pilotingRequirementForm = resolver_.FormOrNull(*form);
        }
        if (auto requirement = game->Optional("pilotingRequirement")) {
            TheWorld().pilotingRequirement =
                static_cast<std::uintptr_t>(requirement->Unsigned(std::numeric_limits<std::uint32_t>::max()));
        }
        if (auto readiness = game->Optional("readiness")) {
            readiness->AllowOnly({"ready", "busy", "menuOpen"});
            if (auto ready = readiness->Optional("ready")) globals.readyFlag = ready->Bool() ? 1 : 0;
            if (auto busy = readiness->Optional("busy")) globals.busyFlag = busy->Bool() ? 1 : 0;
            if (auto menu = readiness->Optional("menuOpen")) globals.menuOpen = menu->Bool();
        }
        if (auto next = game->Optional("nextRuntimeFormID")) TheWorld().SetNextRuntimeFormID(ReadRuntimeID(*next));
        if (auto manager = game->Optional("cellManager"); manager && !manager->IsNull()) ReadCellManager(*manager);
    }

    // --- The cell manager -----------------------------------------------------------------

    Form* CellOrNull(const Entry& entry) {
        Form* form = resolver_.FormOrNull(entry);
        if (form != nullptr && form->kind != FormKind::Cell) entry.Fail("must name a cell");
        return form;
    }

    void ReadCellManager(const Entry& manager) {
        manager.AllowOnly({"currentCell", "loadedCells", "table"});
        Form* current = nullptr;
        if (auto cell = manager.Optional("currentCell")) current = CellOrNull(*cell);
        StagedCellManager staged;
        std::string problem;
        if (auto entries = manager.Optional("loadedCells")) {
            for (const Entry& element : entries->Elements()) {
                StagedCellEntry entry = ReadCellEntry(element);
                if (!PlaceCellEntry(TheWorld(), entry, staged.entries.size(), problem)) element.Fail(problem);
                staged.entries.push_back(entry);
            }
        }
        if (auto table = manager.Optional("table")) {
            if (table->String() != "unmapped") table->Fail("must be \"unmapped\"");
            staged.tableUnmapped = true;
        }
        staged.service = MakeCellManager(TheWorld(), current, staged, problem);
        if (staged.service == nullptr) manager.Fail(problem);
        contents_.globals.cellManager = staged.service;
        TheWorld().cellManager = std::move(staged);
    }

    // A cell's name, or an object that says where the entry lies and what it
    // holds.
    StagedCellEntry ReadCellEntry(const Entry& element) {
        StagedCellEntry entry;
        if (element.Value().is_string()) {
            entry.cell = CellOrNull(element);
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
        entry.cell = CellOrNull(element.Field("cell"));
        return entry;
    }

    void ReadConsole(const Entry& console) {
        console.AllowOnly({"scriptCommands", "consoleCommands"});
        if (auto table = console.Optional("scriptCommands")) ReadTable(*table, contents_.scriptTable);
        if (auto table = console.Optional("consoleCommands")) ReadTable(*table, contents_.consoleTable);
    }

    void ReadTable(const Entry& table, TableContents& contents) {
        table.AllowOnly({"firstOpcode", "entries"});
        if (auto first = table.Optional("firstOpcode")) contents.firstOpcode = first->HexOrNumber();
        if (auto entries = table.Optional("entries")) {
            for (const Entry& entry : entries->Elements()) contents.entries.push_back(ReadTableEntry(entry));
        }
    }

    TableEntry ReadTableEntry(const Entry& entry) {
        TableEntry described;
        if (entry.Value().is_string()) {
            const std::string text = entry.String();
            if (text == "free") return described;
            if (text == "unnamed") {
                described.kind = TableEntry::Kind::Unnamed;
                return described;
            }
            entry.Fail("must be \"free\", \"unnamed\" or an object with \"command\" or \"plugin\"");
        }
        entry.AllowOnly({"command", "plugin", "short", "help", "flags", "parameters"});
        if (entry.Has("command") == entry.Has("plugin")) entry.Fail("give one of \"command\" and \"plugin\"");
        const bool plugin = entry.Has("plugin");
        described.kind = plugin ? TableEntry::Kind::Plugin : TableEntry::Kind::Command;
        described.name = entry.Field(plugin ? "plugin" : "command").String();
        if (auto shortName = entry.Optional("short")) described.shortName = shortName->String();
        if (auto help = entry.Optional("help")) described.help = help->String();
        if (!plugin && (entry.Has("flags") || entry.Has("parameters"))) {
            entry.Fail("only plug-in entries record flags and parameters");
        }
        if (auto flags = entry.Optional("flags")) described.flags = static_cast<std::uint8_t>(flags->Unsigned(255));
        if (auto parameters = entry.Optional("parameters")) {
            for (const Entry& parameter : parameters->Elements()) {
                parameter.AllowOnly({"name", "type", "optional"});
                ParameterDescription read;
                read.name = parameter.Field("name").String();
                read.typeCode = static_cast<std::uint32_t>(parameter.Field("type").Unsigned(0xFFFFFFFF));
                read.isOptional = static_cast<std::uint32_t>(parameter.Field("optional").Unsigned(0xFFFFFFFF));
                described.parameters.push_back(std::move(read));
            }
        }
        return described;
    }

    void ReadSession(const Entry& session) {
        session.AllowOnly({"pilotingCallSite"});
        if (auto site = session.Optional("pilotingCallSite")) {
            const std::string text = site->String();
            if (text != "original" && text != "patched") site->Fail("must be \"original\" or \"patched\"");
        }
    }

    WorldContents contents_ = NewContents();
    Entry root_;
    FormResolver resolver_;
    std::vector<PendingForm> pending_;
    std::unordered_map<std::uint32_t, std::string> formIDs_;
    std::unordered_map<std::string, std::string> worldNames_;
};

}  // namespace

std::optional<WorldContents> ReadWorldText(std::string_view text, const std::string& sourceName,
                                           std::string& error) {
    std::string parseError;
    const auto root = ParseJsonText(text, parseError);
    if (!root) {
        error = sourceName + ": " + parseError;
        return std::nullopt;
    }
    return ReadWorldJson(*root, sourceName, error);
}

std::optional<WorldContents> ReadWorldJson(const Json& root, const std::string& sourceName, std::string& error) {
    try {
        WorldReader reader(root);
        return reader.Read();
    } catch (const WorldFileProblem& problem) {
        error = sourceName + ": " + (problem.path.empty() ? "" : problem.path + ": ") + problem.problem;
    } catch (const std::exception& other) {
        error = sourceName + ": " + other.what();
    }
    return std::nullopt;
}

}  // namespace sim
