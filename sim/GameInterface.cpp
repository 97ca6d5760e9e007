#include "sim/GameInterface.h"

#include "host/layouts/DataFiles.h"
#include "host/layouts/LoadedCells.h"
#include "host/layouts/ReferenceCreation.h"
#include "host/layouts/StringsAndArrays.h"
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

// The game reads what it is handed without asking: an absent object, or one
// of another kind, would crash it or read garbage.
bool Needs(bool present, const char* operation, const char* absent) {
    if (!present) ReportGameError(std::string(operation) + " was handed " + absent);
    return present;
}
bool NeedsReference(const Form* form, const char* operation) {
    return Needs(IsReference(form), operation, form == nullptr ? "no reference" : "a form that is no reference");
}
bool NeedsCell(const Form* form, const char* operation) {
    return Needs(IsCell(form), operation, form == nullptr ? "no cell" : "a form that is no cell");
}
bool NeedsExtraData(const ExtraDataList* extra, const char* operation) {
    return Needs(extra != nullptr, operation, "no extra data");
}
bool NeedsPlayer(const Form* actor, const char* operation) { return Needs(actor != nullptr, operation, "no actor"); }

// The game compares fixed strings by their storage: text that is not the
// pool's would match nothing in the real game, and mostly means a plug-in
// lost track of a string it made.
bool NeedsFixedString(const veltrane::FixedString* string, const char* operation) {
    return Needs(string != nullptr && IsLiveFixedString(string->data), operation,
                 "a name that is no live fixed string of the game");
}

// --- Forms -------------------------------------------------------------------

Form* LookupFormByID(std::uint32_t formID) { return TheWorld().Lookup(formID); }

Form* LookupFormByFileAndLocalID(const veltrane::FixedString* fileName, std::uint32_t localFormID) {
    if (!NeedsFixedString(fileName, "LookupFormByFileAndLocalID")) return nullptr;
    return TheWorld().LookupInFile(veltrane::FixedStringText(*fileName), localFormID);
}

const veltrane::FileRecord* LookupLoadedFile(const veltrane::FixedString* fileName) {
    if (!NeedsFixedString(fileName, "LookupLoadedFile")) return nullptr;
    return TheWorld().FindFile(veltrane::FixedStringText(*fileName));
}

std::uint32_t FormGetID(const Form* form) { return form != nullptr ? form->formID : 0; }
std::uint8_t FormGetStoredType(const Form* form) { return form != nullptr ? form->storedType : 0; }
std::uint8_t FormQueryType(const Form* form) { return form != nullptr ? form->queryType : 0; }

// A reference's editor ID is the one in its extra data; a form always has
// one, if empty.
const char* FormGetEditorID(const Form* form) {
    if (form == nullptr) return "";
    if (IsReference(form)) {
        const ExtraDataList* extra = form->ref->extra;
        return extra != nullptr && extra->editorID ? extra->editorID->c_str() : "";
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

Form* RefGetBaseObject(const Form* ref) {
    return NeedsReference(ref, "RefGetBaseObject") ? ref->ref->base : nullptr;
}
Form* RefGetParentCell(const Form* ref) {
    return NeedsReference(ref, "RefGetParentCell") ? ref->ref->parentCell : nullptr;
}
ExtraDataList* RefGetExtraDataList(const Form* ref) {
    return NeedsReference(ref, "RefGetExtraDataList") ? ref->ref->extra : nullptr;
}

const char* ExtraGetEditorID(const ExtraDataList* extra) {
    if (!NeedsExtraData(extra, "ExtraGetEditorID")) return nullptr;
    return extra->editorID ? extra->editorID->c_str() : nullptr;
}
const char* ExtraGetOverrideName(const ExtraDataList* extra) {
    if (!NeedsExtraData(extra, "ExtraGetOverrideName")) return nullptr;
    return extra->overrideName ? extra->overrideName->c_str() : nullptr;
}
std::uint32_t ExtraGetFormID(const ExtraDataList* extra) {
    if (!NeedsExtraData(extra, "ExtraGetFormID")) return 0;
    return extra->formID ? *extra->formID : 0;
}

void RefGetPosition(const Form* ref, float out[3]) {
    const bool present = NeedsReference(ref, "RefGetPosition");
    for (int axis = 0; axis < 3; ++axis) out[axis] = present ? ref->ref->position[axis] : 0.0f;
}
void RefGetRotation(const Form* ref, float out[3]) {
    const bool present = NeedsReference(ref, "RefGetRotation");
    for (int axis = 0; axis < 3; ++axis) out[axis] = present ? ref->ref->rotation[axis] : 0.0f;
}
std::uint16_t RefGetScale(const Form* ref) { return NeedsReference(ref, "RefGetScale") ? ref->ref->scale : 0; }

bool RefHasKeyword(const Form* ref, const Form* keyword) {
    return NeedsReference(ref, "RefHasKeyword") && HasKeyword(ref, keyword);
}
Form* RefGetLinkedRef(const Form* ref, const Form* keyword) {
    return NeedsReference(ref, "RefGetLinkedRef") ? LinkedReference(ref, keyword) : nullptr;
}
void RefSetLinkedRef(Form* ref, Form* target, const Form* keyword, bool persist) {
    if (!NeedsReference(ref, "RefSetLinkedRef")) return;
    if (target != nullptr && !Needs(IsLiveReference(target), "RefSetLinkedRef", "a target that is no live reference")) {
        return;
    }
    SetLinkedReference(TheWorld(), ref, target, keyword, persist);
}

void RefSetDisplayNameOverride(Form* ref, ExtraDataList* extra, const char* name) {
    if (!NeedsReference(ref, "RefSetDisplayNameOverride") || !NeedsExtraData(extra, "RefSetDisplayNameOverride")) {
        return;
    }
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

void* FindComponentOnForm(Form* form, const veltrane::FixedString* typeName, std::uint32_t index) {
    return NeedsFixedString(typeName, "FindComponent") ? FindComponent(form, typeName, index) : nullptr;
}

void RemoveReferenceFromWorld(Form* ref) {
    if (NeedsReference(ref, "RemoveReference")) RemoveReference(TheWorld(), ref);
}
void RemovedWorkshopItemCleanup(Form* ref, std::uint32_t) {
    if (NeedsReference(ref, "RemovedWorkshopItemCleanup")) CleanUpRemovedWorkshopItem(TheWorld(), ref);
}
float GetDistance(const Form* a, const Form* b, std::uint32_t) {
    if (!NeedsReference(a, "GetDistance") || !NeedsReference(b, "GetDistance")) return 0.0f;
    return Distance(a, b);
}

bool CellIsInterior(const Form* cell) { return NeedsCell(cell, "CellIsInterior") && cell->cell->interior; }

Form* const* CellGetReferences(const Form* cell, std::uint32_t* count) {
    if (!NeedsCell(cell, "CellGetReferences")) {
        if (count != nullptr) *count = 0;
        return nullptr;
    }
    if (count != nullptr) *count = static_cast<std::uint32_t>(cell->cell->references.size());
    return cell->cell->references.data();
}

bool CellCheck(const Form* cell, std::uint32_t) { return NeedsCell(cell, "CellCheck") && cell->cell->loaded; }

// --- Player and ships ----------------------------------------------------------------

Form* GetPlayerCharacter() { return TheWorld().player.reference; }

Form* GetShipPlayerIsIn(Form* player, bool mustBeAboard, void*, void*) {
    const World& world = TheWorld();
    if (!NeedsPlayer(player, "GetShipPlayerIsIn") || player != world.player.reference) return nullptr;
    Form* aboard = ShipPlayerIsIn(world);
    return aboard != nullptr || mustBeAboard ? aboard : world.player.shipReference;
}

Form* GetPlayerHomeShip() { return TheWorld().player.homeShip; }

Form* ActorGetShipRef(const Form* actor) {
    const World& world = TheWorld();
    return NeedsPlayer(actor, "ActorGetShipRef") && actor == world.player.reference ? world.player.shipReference
                                                                                      : nullptr;
}

veltrane::AssociatedCellIDs ActorGetAssociatedCellIDs(const Form* actor) {
    const World& world = TheWorld();
    if (!NeedsPlayer(actor, "ActorGetAssociatedCellIDs") || actor != world.player.reference ||
        world.player.associatedCellIDs.empty()) {
        return {0, nullptr};
    }
    return {static_cast<std::uint32_t>(world.player.associatedCellIDs.size()),
            world.player.associatedCellIDs.data()};
}

Form* ShipGetInteriorCell(const Form* shipRef) {
    return NeedsReference(shipRef, "ShipGetInteriorCell") ? shipRef->ref->interiorCell : nullptr;
}

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

    t.FindComponent = &FindComponentOnForm;
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
