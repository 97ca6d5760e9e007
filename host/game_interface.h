// The game's operations as one C-ABI table. The game executable exports
// `Veltrane_GetGameInterface`; the plug-in resolves it once from the game's
// main module (host/host.cpp). A binding to another build of the game would
// fill the same table from addresses at base plus offset.
#pragma once

#include <cstdint>

#include "host/layouts/CommandTables.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"
#include "host/layouts/LoadedCells.h"
#include "host/layouts/PlayerUpdateEvents.h"
#include "host/layouts/ReferenceCreation.h"
#include "host/layouts/StringsAndArrays.h"

namespace veltrane {

constexpr std::uint32_t kGameInterfaceVersion = 1;
constexpr const char* kGameInterfaceExport = "Veltrane_GetGameInterface";

// The player's associated cells: a count and the form IDs.
struct AssociatedCellIDs {
    std::uint32_t count;
    const std::uint32_t* formIDs;
};

// The callee of the patched call site: asked for the piloting skill the
// given actor needs for the given ship; 0 means no requirement.
using PilotingRequirementFn = std::uintptr_t (*)(Form* actor, Form* ship);

struct GameInterface {
    std::uint32_t version;  // kGameInterfaceVersion
    std::uint32_t size;     // sizeof(GameInterface)

    // --- Forms -------------------------------------------------------------
    Form* (*LookupFormByID)(std::uint32_t formID);
    // Resolves a file-local ID within the named loaded data file.
    Form* (*LookupFormByFileAndLocalID)(const FixedString* fileName, std::uint32_t localFormID);
    std::uint32_t (*FormGetID)(const Form* form);
    std::uint8_t (*FormGetStoredType)(const Form* form);  // the stored type byte
    std::uint8_t (*FormQueryType)(const Form* form);      // the virtual type query
    const char* (*FormGetEditorID)(const Form* form);     // never null
    const char* (*FormGetDisplayName)(const Form* form);  // never null
    Form* (*CastToGenericBaseForm)(Form* form);           // null unless a generic base form
    Form* (*CastToBoundObject)(Form* form);               // null unless a bound object
    std::uint16_t (*FormGetFileListIndex)(const Form* form);  // kNoFileList for none
    // The form's own keyword list: null and 0 when it has none.
    Form* const* (*FormGetKeywords)(const Form* form, std::uint32_t* count);

    // --- Data files ------------------------------------------------------------
    const FileListTable* fileLists;
    bool (*IsFileRecord)(const void* object);
    const char* (*FileGetName)(const FileRecord* file);  // never null
    std::uint8_t (*FileGetCompileIndex)(const FileRecord* file);
    std::uint8_t (*FileGetMediumIndex)(const FileRecord* file);   // FD slot index
    std::uint16_t (*FileGetSmallIndex)(const FileRecord* file);   // FE slot index
    std::uint32_t (*FileGetFlags)(const FileRecord* file);
    const FormTypeName* formTypeNames;
    std::uint32_t formTypeNameCount;

    // --- References and cells ------------------------------------------------
    Form* (*RefGetBaseObject)(const Form* ref);
    Form* (*RefGetParentCell)(const Form* ref);
    ExtraDataList* (*RefGetExtraDataList)(const Form* ref);
    const char* (*ExtraGetEditorID)(const ExtraDataList* extra);      // kind 6; null if absent
    const char* (*ExtraGetOverrideName)(const ExtraDataList* extra);  // kind 150; null if absent
    std::uint32_t (*ExtraGetFormID)(const ExtraDataList* extra);      // kind 180; 0 if absent
    void (*RefGetPosition)(const Form* ref, float out[3]);
    void (*RefGetRotation)(const Form* ref, float out[3]);  // radians
    std::uint16_t (*RefGetScale)(const Form* ref);          // percent
    bool (*RefHasKeyword)(const Form* ref, const Form* keyword);
    Form* (*RefGetLinkedRef)(const Form* ref, const Form* keyword);
    void (*RefSetLinkedRef)(Form* ref, Form* target, const Form* keyword, bool persist);
    void (*RefSetDisplayNameOverride)(Form* ref, ExtraDataList* extra, const char* name);
    std::uint32_t (*CreateReference)(const CreateReferenceRequest* request);  // 0: none
    // Hands back a counted reference; release it with ReleaseReference.
    Form* (*ReferenceFromHandle)(std::uint32_t handle);
    void (*ReleaseReference)(Form* ref);
    void (*RemoveReference)(Form* ref);
    void (*RemovedWorkshopItemCleanup)(Form* ref, std::uint32_t unused);
    float (*GetDistance)(const Form* a, const Form* b, std::uint32_t unused);
    bool (*CellIsInterior)(const Form* cell);
    // The cell's reference array; entries may be empty.
    Form* const* (*CellGetReferences)(const Form* cell, std::uint32_t* count);
    bool (*CellCheck)(const Form* cell, std::uint32_t unused);

    // --- Player and ships ------------------------------------------------------
    Form* (*GetPlayerCharacter)();
    Form* (*GetShipPlayerIsIn)(Form* player, bool mustBeAboard, void* unused1, void* unused2);
    Form* (*GetPlayerHomeShip)();
    Form* (*ActorGetShipRef)(const Form* actor);
    AssociatedCellIDs (*ActorGetAssociatedCellIDs)(const Form* actor);
    Form* (*ShipGetInteriorCell)(const Form* shipRef);

    // --- Components, arrays, strings, memory -----------------------------------
    void* (*FindComponent)(Form* form, const FixedString* typeName, std::uint32_t index);
    void* (*Allocate)(std::uint64_t size);
    void (*Deallocate)(void* memory);
    // Appends one element of elementSize bytes, growing through Allocate.
    bool (*ArrayAppend)(CountedArrayHeader* array, const void* element, std::uint32_t elementSize);
    void (*FixedStringMake)(FixedString* out, const char* text);
    void (*FixedStringAssign)(FixedString* target, const char* text);
    void (*FixedStringRelease)(FixedString* string);

    // --- Globals (read at each use) ----------------------------------------------
    Form** workshopKeyword;
    Form** workshopItemKeyword;
    Form** pilotingRequirementForm;

    // --- Console -----------------------------------------------------------------
    CommandEntry* scriptCommands;   // runs on to an entry past the scan bound
    CommandEntry* consoleCommands;  // likewise
    CommandExecuteFn placeholderHandler;
    ParameterExtractorFn ExtractParameters;
    void (*ConsolePrint)(const char* format, ...);

    // --- Events and readiness -----------------------------------------------------
    EventSource* (*GetPlayerUpdateEventSource)(bool forRegistration);
    void (*EventSourceAddSink)(EventSource* source, VXTEventDetail::SinkBase* sink);
    void (*EventSourceRemoveSink)(EventSource* source, VXTEventDetail::SinkBase* sink);
    const std::uint8_t* readyFlag;  // A: non-zero once the game runs
    const std::uint8_t* busyFlag;   // B: non-zero while the game is busy
    std::int32_t (*ReadinessQuery)(const std::uint8_t* busyFlag);  // 0: ready

    // --- Code --------------------------------------------------------------------
    std::uint8_t* pilotingCallSite;  // a 5-byte relative call to the requirement callee

    // --- Reference creation (added) -------------------------------------------------
    // The value CreateReference expects in CreateReferenceRequest::recordMarker.
    std::uint64_t createReferenceMarker;

    // --- Loaded cells (added) -----------------------------------------------------
    // The game's cell manager, read at each use; the global holds null while
    // the game has none.
    CellManager** cellManager;
    // What the ObjectHead of a cell object holds, one per class of cell.
    const void* cellClassIdentities[kCellClassCount];

    // --- Data files (added) --------------------------------------------------------
    // The loaded data file of this name, matched without regard to case as
    // the game matches names; null when no loaded file has it.
    const FileRecord* (*LookupLoadedFile)(const FixedString* fileName);

    // --- Arrays (added) ----------------------------------------------------------
    // Gives the array room for at least `capacity` elements of elementSize
    // bytes, keeping what it holds; false, with the array as it was, when
    // the memory cannot be had.
    bool (*ArrayReserve)(CountedArrayHeader* array, std::uint32_t capacity, std::uint32_t elementSize);
};

using GetGameInterfaceFn = const GameInterface* (*)();

}  // namespace veltrane
