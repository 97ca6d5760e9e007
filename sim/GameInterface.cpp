#include "sim/GameInterface.h"

#include "sim/GameState.h"
#include "sim/code/PilotingCallSite.h"
#include "sim/console/Arguments.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/events/PlayerUpdateSource.h"
#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/ClassIdentities.h"
#include "sim/world/Components.h"
#include "sim/world/FormTypes.h"
#include "sim/world/References.h"

namespace sim {

namespace {

using veltrane::ExtraDataList;
using veltrane::FileRecord;
using veltrane::Form;

veltrane::GameInterface g_table{};

// The marker of a create-reference request is the address of this object, as
// a real game's would be the address of its record type.
const char kCreateReferenceRecordType = 0;

bool IsReference(const Form* form) { return form != nullptr && form->kind == FormKind::Reference; }
bool IsCell(const Form* form) { return form != nullptr && form->kind == FormKind::Cell; }

// --- Forms -------------------------------------------------------------------

Form* LookupFormByID(std::uint32_t formID) { return TheWorld().Lookup(formID); }

Form* LookupFormByFileAndLocalID(const veltrane::FixedString* fileName, std::uint32_t localFormID) {
    if (fileName == nullptr) return nullptr;
    return TheWorld().LookupInFile(veltrane::FixedStringText(*fileName), localFormID);
}

const veltrane::FileRecord* LookupLoadedFile(const veltrane::FixedString* fileName) {
    if (fileName == nullptr) return nullptr;
    return TheWorld().FindFile(veltrane::FixedStringText(*fileName));
}

std::uint32_t FormGetID(const Form* form) { return form != nullptr ? form->formID : 0; }
std::uint8_t FormGetStoredType(const Form* form) { return form != nullptr ? form->storedType : 0; }
std::uint8_t FormQueryType(const Form* form) { return form != nullptr ? form->queryType : 0; }

const char* ExtraGetEditorID(const ExtraDataList* extra);

// A reference's editor ID is the one in its extra data; a form always has
// one, if empty.
const char* FormGetEditorID(const Form* form) {
    if (form == nullptr) return "";
    if (IsReference(form)) {
        const char* editorID = ExtraGetEditorID(form->ref->extra);
        return editorID != nullptr ? editorID : "";
    }
    return form->editorID.c_str();
}

const char* FormGetDisplayName(const Form* form) {
    if (form == nullptr) return "";
    return IsReference(form) ? ReferenceDisplayName(form) : form->displayName.c_str();
}

Form* CastToGenericBaseForm(Form* form) {
    return form != nullptr && form->kind == FormKind::Plain &&
                   form->storedType == veltrane::kFormTypeGenericBaseForm
               ? form
               : nullptr;
}

Form* CastToBoundObject(Form* form) {
    return form != nullptr && form->kind == FormKind::Plain && IsBoundObjectType(form->storedType) ? form
                                                                                                     : nullptr;
}

std::uint16_t FormGetFileListIndex(const Form* form) {
    return form != nullptr ? form->fileListIndex : veltrane::kNoFileList;
}

Form* const* FormGetKeywords(const Form* form, std::uint32_t* count) {
    // A list that exists but holds nothing still has an address.
    static Form* const kNoKeywords[1] = {nullptr};
    if (count != nullptr) *count = 0;
    if (form == nullptr || !form->hasKeywordList) return nullptr;
    if (count != nullptr) *count = static_cast<std::uint32_t>(form->keywords.size());
    return form->keywords.empty() ? kNoKeywords : form->keywords.data();
}

// --- Data files ------------------------------------------------------------------

bool IsFileRecord(const void* object) { return object != nullptr && TheWorld().IsFileRecord(object); }

// File lists may hold other objects; asked about one, the game answers as for
// no file rather than read it as a file record.
const char* FileGetName(const FileRecord* file) { return IsFileRecord(file) ? file->name.c_str() : ""; }
std::uint8_t FileGetCompileIndex(const FileRecord* file) { return IsFileRecord(file) ? file->compileIndex : 0; }
std::uint8_t FileGetMediumIndex(const FileRecord* file) { return IsFileRecord(file) ? file->mediumIndex : 0; }
std::uint16_t FileGetSmallIndex(const FileRecord* file) { return IsFileRecord(file) ? file->smallIndex : 0; }
std::uint32_t FileGetFlags(const FileRecord* file) { return IsFileRecord(file) ? file->flags : 0; }

// --- References and cells ----------------------------------------------------------

Form* RefGetBaseObject(const Form* ref) { return IsReference(ref) ? ref->ref->base : nullptr; }
Form* RefGetParentCell(const Form* ref) { return IsReference(ref) ? ref->ref->parentCell : nullptr; }
ExtraDataList* RefGetExtraDataList(const Form* ref) { return IsReference(ref) ? ref->ref->extra : nullptr; }

const char* ExtraGetEditorID(const ExtraDataList* extra) {
    return extra != nullptr && extra->editorID ? extra->editorID->c_str() : nullptr;
}
const char* ExtraGetOverrideName(const ExtraDataList* extra) {
    return extra != nullptr && extra->overrideName ? extra->overrideName->c_str() : nullptr;
}
std::uint32_t ExtraGetFormID(const ExtraDataList* extra) {
    return extra != nullptr && extra->formID ? *extra->formID : 0;
}

void RefGetPosition(const Form* ref, float out[3]) {
    for (int axis = 0; axis < 3; ++axis) out[axis] = IsReference(ref) ? ref->ref->position[axis] : 0.0f;
}
void RefGetRotation(const Form* ref, float out[3]) {
    for (int axis = 0; axis < 3; ++axis) out[axis] = IsReference(ref) ? ref->ref->rotation[axis] : 0.0f;
}
std::uint16_t RefGetScale(const Form* ref) { return IsReference(ref) ? ref->ref->scale : 0; }

bool RefHasKeyword(const Form* ref, const Form* keyword) { return HasKeyword(ref, keyword); }
Form* RefGetLinkedRef(const Form* ref, const Form* keyword) { return LinkedReference(ref, keyword); }
void RefSetLinkedRef(Form* ref, Form* target, const Form* keyword, bool persist) {
    SetLinkedReference(TheWorld(), ref, target, keyword, persist);
}

void RefSetDisplayNameOverride(Form*, ExtraDataList* extra, const char* name) {
    if (extra == nullptr) return;
    if (name == nullptr) {
        extra->overrideName.reset();
    } else {
        extra->overrideName = name;
    }
}

std::uint32_t CreateReferenceFromRequest(const veltrane::CreateReferenceRequest* request) {
    return CreateReference(TheWorld(), request, g_table.createReferenceMarker);
}

Form* ReferenceFromHandle(std::uint32_t handle) {
    Form* ref = TheWorld().ReferenceForHandle(handle);
    if (ref != nullptr) ++ref->ref->heldCount;
    return ref;
}

void ReleaseReference(Form* ref) {
    if (!IsReference(ref)) return;
    if (ref->ref->heldCount == 0) {
        ReportGameError("ReleaseReference was called more often than the reference was handed out");
        return;
    }
    --ref->ref->heldCount;
}

void RemoveReferenceFromWorld(Form* ref) { RemoveReference(TheWorld(), ref); }
void RemovedWorkshopItemCleanup(Form* ref, std::uint32_t) { CleanUpRemovedWorkshopItem(TheWorld(), ref); }
float GetDistance(const Form* a, const Form* b, std::uint32_t) { return Distance(a, b); }

bool CellIsInterior(const Form* cell) { return IsCell(cell) && cell->cell->interior; }

Form* const* CellGetReferences(const Form* cell, std::uint32_t* count) {
    if (!IsCell(cell)) {
        if (count != nullptr) *count = 0;
        return nullptr;
    }
    if (count != nullptr) *count = static_cast<std::uint32_t>(cell->cell->references.size());
    return cell->cell->references.data();
}

bool CellCheck(const Form* cell, std::uint32_t) { return IsCell(cell) && cell->cell->loaded; }

// --- Player and ships ----------------------------------------------------------------

Form* GetPlayerCharacter() { return TheWorld().player.reference; }

Form* GetShipPlayerIsIn(Form* player, bool mustBeAboard, void*, void*) {
    const World& world = TheWorld();
    if (player == nullptr || player != world.player.reference) return nullptr;
    Form* aboard = ShipPlayerIsIn(world);
    return aboard != nullptr || mustBeAboard ? aboard : world.player.shipReference;
}

Form* GetPlayerHomeShip() { return TheWorld().player.homeShip; }

Form* ActorGetShipRef(const Form* actor) {
    const World& world = TheWorld();
    return actor != nullptr && actor == world.player.reference ? world.player.shipReference : nullptr;
}

veltrane::AssociatedCellIDs ActorGetAssociatedCellIDs(const Form* actor) {
    const World& world = TheWorld();
    if (actor == nullptr || actor != world.player.reference || world.player.associatedCellIDs.empty()) {
        return {0, nullptr};
    }
    return {static_cast<std::uint32_t>(world.player.associatedCellIDs.size()),
            world.player.associatedCellIDs.data()};
}

Form* ShipGetInteriorCell(const Form* shipRef) { return IsReference(shipRef) ? shipRef->ref->interiorCell : nullptr; }

// --- Events and readiness ----------------------------------------------------------------

veltrane::EventSource* GetPlayerUpdateEventSource(bool) { return &TheGame().playerUpdates; }

std::int32_t ReadinessQuery(const std::uint8_t*) { return TheGame().globals.menuOpen ? 1 : 0; }

}  // namespace

const veltrane::GameInterface& GameInterfaceTable() { return g_table; }

void RefreshGameInterface(GameState& game) {
    veltrane::GameInterface& t = g_table;
    t.version = veltrane::kGameInterfaceVersion;
    t.size = sizeof(veltrane::GameInterface);

    t.LookupFormByID = &LookupFormByID;
    t.LookupFormByFileAndLocalID = &LookupFormByFileAndLocalID;
    t.FormGetID = &FormGetID;
    t.FormGetStoredType = &FormGetStoredType;
    t.FormQueryType = &FormQueryType;
    t.FormGetEditorID = &FormGetEditorID;
    t.FormGetDisplayName = &FormGetDisplayName;
    t.CastToGenericBaseForm = &CastToGenericBaseForm;
    t.CastToBoundObject = &CastToBoundObject;
    t.FormGetFileListIndex = &FormGetFileListIndex;
    t.FormGetKeywords = &FormGetKeywords;

    t.fileLists = game.world->Lists().Table();
    t.IsFileRecord = &IsFileRecord;
    t.FileGetName = &FileGetName;
    t.FileGetCompileIndex = &FileGetCompileIndex;
    t.FileGetMediumIndex = &FileGetMediumIndex;
    t.FileGetSmallIndex = &FileGetSmallIndex;
    t.FileGetFlags = &FileGetFlags;
    t.formTypeNames = FormTypeNames();
    t.formTypeNameCount = FormTypeNameCount();

    t.RefGetBaseObject = &RefGetBaseObject;
    t.RefGetParentCell = &RefGetParentCell;
    t.RefGetExtraDataList = &RefGetExtraDataList;
    t.ExtraGetEditorID = &ExtraGetEditorID;
    t.ExtraGetOverrideName = &ExtraGetOverrideName;
    t.ExtraGetFormID = &ExtraGetFormID;
    t.RefGetPosition = &RefGetPosition;
    t.RefGetRotation = &RefGetRotation;
    t.RefGetScale = &RefGetScale;
    t.RefHasKeyword = &RefHasKeyword;
    t.RefGetLinkedRef = &RefGetLinkedRef;
    t.RefSetLinkedRef = &RefSetLinkedRef;
    t.RefSetDisplayNameOverride = &RefSetDisplayNameOverride;
    t.CreateReference = &CreateReferenceFromRequest;
    t.ReferenceFromHandle = &ReferenceFromHandle;
    t.ReleaseReference = &ReleaseReference;
    t.RemoveReference = &RemoveReferenceFromWorld;
    t.RemovedWorkshopItemCleanup = &RemovedWorkshopItemCleanup;
    t.GetDistance = &GetDistance;
    t.CellIsInterior = &CellIsInterior;
    t.CellGetReferences = &CellGetReferences;
    t.CellCheck = &CellCheck;

    t.GetPlayerCharacter = &GetPlayerCharacter;
    t.GetShipPlayerIsIn = &GetShipPlayerIsIn;
    t.GetPlayerHomeShip = &GetPlayerHomeShip;
    t.ActorGetShipRef = &ActorGetShipRef;
    t.ActorGetAssociatedCellIDs = &ActorGetAssociatedCellIDs;
    t.ShipGetInteriorCell = &ShipGetInteriorCell;

    t.FindComponent = &FindComponent;
    t.Allocate = &GameAllocate;
    t.Deallocate = &GameDeallocate;
    t.ArrayAppend = &GameArrayAppend;
    t.FixedStringMake = &FixedStringMake;
    t.FixedStringAssign = &FixedStringAssign;
    t.FixedStringRelease = &FixedStringRelease;

    t.workshopKeyword = &game.globals.workshopKeyword;
    t.workshopItemKeyword = &game.globals.workshopItemKeyword;
    t.pilotingRequirementForm = &game.globals.pilotingRequirementForm;

    t.scriptCommands = game.tables.Table(CommandTableKind::Script);
    t.consoleCommands = game.tables.Table(CommandTableKind::Console);
    t.placeholderHandler = &PlaceholderExecute;
    t.ExtractParameters = &ExtractParameters;
    t.ConsolePrint = &ConsolePrintFormatted;

    t.GetPlayerUpdateEventSource = &GetPlayerUpdateEventSource;
    t.EventSourceAddSink = &AddEventSink;
    t.EventSourceRemoveSink = &RemoveEventSink;
    t.readyFlag = &game.globals.readyFlag;
    t.busyFlag = &game.globals.busyFlag;
    t.ReadinessQuery = &ReadinessQuery;

    t.pilotingCallSite = VeltranePilotingCallSite;
    t.createReferenceMarker = reinterpret_cast<std::uintptr_t>(&kCreateReferenceRecordType);

    t.cellManager = &game.globals.cellManager;
    for (std::size_t index = 0; index < veltrane::kCellClassCount; ++index) {
        t.cellClassIdentities[index] = ClassIdentity(CellClass(index));
    }
    t.LookupLoadedFile = &LookupLoadedFile;
    t.ArrayReserve = &GameArrayReserve;
}

}  // namespace sim

const veltrane::GameInterface* Veltrane_GetGameInterface() {
    sim::TheGame();
    return &sim::GameInterfaceTable();
}
