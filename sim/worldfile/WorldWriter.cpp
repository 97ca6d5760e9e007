#include "sim/worldfile/WorldWriter.h"

#include "host/layouts/DataFiles.h"
#include "sim/code/PilotingCallSite.h"
#include "sim/world/ClassIdentities.h"
#include "sim/worldfile/FormRefText.h"
#include "sim/worldfile/RecordWriter.h"
#include "sim/worldfile/WorldReader.h"

namespace sim {

namespace {

using veltrane::FileRecord;
using veltrane::Form;

std::string Hex32(std::uint32_t value) {
    std::string digits = HexID(value, 8);
    const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
    return "0x" + digits.substr(first);
}

Json FilesJson(const World& world) {
    Json files = Json::array();
    for (const auto& file : world.Files()) {
        Json entry = Json::object();
        entry["name"] = file->name;
        entry["slot"] = SlotName(file->slot);
        if (file->flags != 1) entry["flags"] = file->flags;
        files.push_back(std::move(entry));
    }
    return files;
}

// Written only where it differs from what a world file gets by default.
void AddFileList(const World& world, const Form& form, Json& out) {
    const FileRecord* defining = DefiningFile(world, form);
    const veltrane::FileListTable* table = world.Lists().Table();
    if (form.fileListIndex == veltrane::kNoFileList) {
        if (defining != nullptr) out["files"] = nullptr;
        return;
    }
    if (form.fileListIndex >= table->count) {
        out["fileListIndex"] = form.fileListIndex;
        return;
    }
    const auto entries = world.Lists().Entries(form.fileListIndex);
    if (defining != nullptr && entries.size() == 1 && entries[0] == defining) return;
    Json files = Json::array();
    for (FileRecord* entry : entries) {
        if (entry == nullptr) {
            files.push_back(nullptr);
        } else if (world.IsFileRecord(entry)) {
            files.push_back(entry->name);
        } else {
            Json object = Json::object();
            object["object"] = FormRefJson(world, reinterpret_cast<const Form*>(entry));
            files.push_back(std::move(object));
        }
    }
    out["files"] = std::move(files);
}

Json CommonFormJson(const World& world, const Form& form, bool writeType, std::uint8_t defaultType) {
    Json out = Json::object();
    out["id"] = FormatFormRef(world, form);
    if (!form.worldName.empty()) out["formID"] = HexID(form.formID, 8);
    if (writeType || form.storedType != defaultType) out["type"] = form.storedType;
    if (form.queryType != form.storedType) out["queryType"] = form.queryType;
    if (!form.editorID.empty()) out["editorID"] = form.editorID;
    if (!form.displayName.empty()) out["name"] = form.displayName;
    if (form.hasKeywordList) {
        Json keywords = Json::array();
        for (const Form* keyword : form.keywords) keywords.push_back(FormRefJson(world, keyword));
        out["keywords"] = std::move(keywords);
    }
    AddFileList(world, form, out);
    return out;
}

Json PlainFormJson(const World& world, const Form& form) {
    Json out = CommonFormJson(world, form, true, 0);
    if (form.placement == Placement::Refused) out["placement"] = "refused";
    if (form.placement == Placement::Vanishes) out["placement"] = "vanishes";
    if (form.placement == Placement::WithoutExtraData) out["placement"] = "withoutExtraData";
    if (!form.components.empty()) out["components"] = WriteComponents(world, form);
    return out;
}

Json CellJson(const World& world, const Form& form) {
    Json out = CommonFormJson(world, form, false, veltrane::kFormTypeCell);
    out["interior"] = form.cell->interior;
    if (!form.cell->loaded) out["loaded"] = false;
    if (!form.cell->references.empty()) {
        Json references = Json::array();
        for (const Form* reference : form.cell->references) references.push_back(FormRefJson(world, reference));
        out["references"] = std::move(references);
    }
    if (form.cell->memory != MemoryPlace::AboveTiB) out["memory"] = MemoryPlaceName(form.cell->memory);
    if (form.head.classIdentity != ClassIdentity(ObjectClass::Cell1)) {
        out["classIdentity"] = CellIdentityName(form.head.classIdentity);
    }
    return out;
}

Json VectorJson(const float* values) {
    return Json::array({FloatToJson(values[0]), FloatToJson(values[1]), FloatToJson(values[2])});
}

Json ReferenceJson(const World& world, const Form& form) {
    const ReferenceData& data = *form.ref;
    Json out = CommonFormJson(world, form, false, veltrane::kFormTypeObjectReference);
    out["base"] = FormRefJson(world, data.base);
    out["position"] = VectorJson(data.position);
    out["rotation"] = VectorJson(data.rotation);
    if (data.scale != 100) out["scale"] = data.scale;
    if (data.extra == nullptr) {
        out["extra"] = nullptr;
    } else if (Json extra = WriteExtraData(world, *data.extra); !extra.empty()) {
        out["extra"] = std::move(extra);
    }
    if (data.interiorCell != nullptr) out["interior"] = FormRefJson(world, data.interiorCell);
    if (data.removed) out["removed"] = true;
    if (data.workshopCleanupDone) out["workshopCleanup"] = true;
    return out;
}

Json FormsJson(const World& world, FormKind kind) {
    Json forms = Json::array();
    for (const Form* form : world.FormsOfKind(kind)) {
        switch (kind) {
            case FormKind::Plain: forms.push_back(PlainFormJson(world, *form)); break;
            case FormKind::Cell: forms.push_back(CellJson(world, *form)); break;
            case FormKind::Reference: forms.push_back(ReferenceJson(world, *form)); break;
        }
    }
    return forms;
}

Json PlayerJson(const World& world) {
    const PlayerInfo& player = world.player;
    if (player.reference == nullptr) return nullptr;
    Json out = Json::object();
    out["reference"] = FormRefJson(world, player.reference);
    out["homeShip"] = FormRefJson(world, player.homeShip);
    out["shipReference"] = FormRefJson(world, player.shipReference);
    Json cells = Json::array();
    for (std::uint32_t id : player.associatedCellIDs) cells.push_back(FormIDJson(world, id));
    out["associatedCells"] = std::move(cells);
    return out;
}

// A good entry is written as its cell's name alone.
Json CellEntryJson(const World& world, const StagedCellEntry& entry) {
    const bool plain = entry.memory == MemoryPlace::AboveTiB && !entry.cellUnmapped && entry.cell != nullptr;
    if (plain) return FormRefJson(world, entry.cell);
    Json out = Json::object();
    if (!entry.memory) {
        out["memory"] = "unmapped";
        return out;
    }
    if (entry.cellUnmapped) {
        out["cellMemory"] = "unmapped";
    } else {
        out["cell"] = FormRefJson(world, entry.cell);
    }
    if (*entry.memory != MemoryPlace::AboveTiB) out["memory"] = MemoryPlaceName(*entry.memory);
    return out;
}

Json CellManagerJson(const World& world) {
    if (!world.cellManager) return nullptr;
    Json out = Json::object();
    out["currentCell"] = FormRefJson(world, world.cellManager->service->currentCell);
    Json entries = Json::array();
    for (const StagedCellEntry& entry : world.cellManager->entries) entries.push_back(CellEntryJson(world, entry));
    out["loadedCells"] = std::move(entries);
    if (world.cellManager->tableUnmapped) out["table"] = "unmapped";
    return out;
}

Json GameJson(const GameState& game) {
    const World& world = *game.world;
    const GameGlobals& globals = game.globals;
    Json out = Json::object();
    out["workshopKeyword"] = FormRefJson(world, globals.workshopKeyword);
    out["workshopItemKeyword"] = FormRefJson(world, globals.workshopItemKeyword);
    out["pilotingRequirementForm"] = FormRefJson(world, globals.pilotingRequirementForm);
    out["pilotingRequirement"] = static_cast<std::uint64_t>(world.pilotingRequirement);
    Json readiness = Json::object();
    readiness["ready"] = globals.readyFlag != 0;
    readiness["busy"] = globals.busyFlag != 0;
    readiness["menuOpen"] = globals.menuOpen;
    out["readiness"] = std::move(readiness);
    // None left: a reader that finds no value counts on from the highest ID
    // again and so reaches the same end.
    if (world.NextRuntimeFormID() != 0) out["nextRuntimeFormID"] = HexID(world.NextRuntimeFormID(), 8);
    out["cellManager"] = CellManagerJson(world);
    return out;
}

Json TableEntryJson(const TableEntry& entry) {
    switch (entry.kind) {
        case TableEntry::Kind::Free: return "free";
        case TableEntry::Kind::Unnamed: return "unnamed";
        case TableEntry::Kind::Command: {
            Json out = Json::object();
            out["command"] = entry.name;
            if (!entry.shortName.empty()) out["short"] = entry.shortName;
            if (!entry.help.empty()) out["help"] = entry.help;
            return out;
        }
        case TableEntry::Kind::Plugin: {
            Json out = Json::object();
            out["plugin"] = entry.name;
            out["short"] = entry.shortName;
            out["help"] = entry.help;
            out["flags"] = entry.flags;
            Json parameters = Json::array();
            for (const ParameterDescription& parameter : entry.parameters) {
                Json written = Json::object();
                written["name"] = parameter.name;
                written["type"] = parameter.typeCode;
                written["optional"] = parameter.isOptional;
                parameters.push_back(std::move(written));
            }
            out["parameters"] = std::move(parameters);
            return out;
        }
    }
    return nullptr;
}

Json TableJson(const TableContents& table) {
    Json out = Json::object();
    out["firstOpcode"] = Hex32(table.firstOpcode);
    Json entries = Json::array();
    for (const TableEntry& entry : table.entries) entries.push_back(TableEntryJson(entry));
    out["entries"] = std::move(entries);
    return out;
}

}  // namespace

std::string WriteWorldText(const GameState& game) { return SerializeJson(WriteWorldJson(game)); }

Json WriteWorldJson(const GameState& game) {
    const World& world = *game.world;
    Json root = Json::object();
    root["format"] = kWorldFormat;
    root["files"] = FilesJson(world);
    root["game"] = GameJson(game);
    Json console = Json::object();
    console["scriptCommands"] = TableJson(game.tables.Describe(CommandTableKind::Script));
    console["consoleCommands"] = TableJson(game.tables.Describe(CommandTableKind::Console));
    root["console"] = std::move(console);
    root["player"] = PlayerJson(world);
    root["forms"] = FormsJson(world, FormKind::Plain);
    root["cells"] = FormsJson(world, FormKind::Cell);
    root["references"] = FormsJson(world, FormKind::Reference);
    Json session = Json::object();
    session["pilotingCallSite"] = PilotingCallSiteIsOriginal() ? "original" : "patched";
    root["session"] = std::move(session);
    return root;
}

}  // namespace sim
