// Records whose bytes the game and the plug-in must agree on. The simulated
// game includes this header too, so a layout is stated exactly once; every
// size and offset the plug-in relies on is pinned by a static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veltrane {

// Game objects the plug-in only asks about. Forms, references and cells are
// all forms; the plug-in never looks inside them.
struct Form;
struct FileRecord;
struct ExtraDataList;
struct EventSource;

// ---------------------------------------------------------------------------
// Fixed strings and counted arrays

// An interned, reference-counted game string. Made, assigned and released
// only through the game; the text is read directly.
struct FixedString {
    const char* data;  // null for the empty string
};
static_assert(sizeof(FixedString) == 8);

inline const char* FixedStringText(const FixedString& s) { return s.data ? s.data : ""; }

// The game's growable array. Elements live in game-allocated storage; an
// append that needs room grows the capacity to max(count + 1, 2 * capacity)
// through the game's allocator.
struct CountedArrayHeader {
    void* data;
    std::uint32_t capacity;
    std::uint32_t count;
};
static_assert(sizeof(CountedArrayHeader) == 16);
static_assert(offsetof(CountedArrayHeader, data) == 0x00);
static_assert(offsetof(CountedArrayHeader, capacity) == 0x08);
static_assert(offsetof(CountedArrayHeader, count) == 0x0C);

template <class T>
struct CountedArray {
    T* data;
    std::uint32_t capacity;
    std::uint32_t count;

    CountedArrayHeader* Header() { return reinterpret_cast<CountedArrayHeader*>(this); }
    T* begin() const { return data; }
    T* end() const { return data + count; }
};
static_assert(sizeof(CountedArray<Form*>) == sizeof(CountedArrayHeader));
static_assert(offsetof(CountedArray<Form*>, capacity) == offsetof(CountedArrayHeader, capacity));
static_assert(offsetof(CountedArray<Form*>, count) == offsetof(CountedArrayHeader, count));

// ---------------------------------------------------------------------------
// Console command tables

struct ParameterDefinition {
    const char* name;          // "asBlueprintName"
    std::uint32_t typeCode;    // 0: text
    std::uint32_t isOptional;  // 0: required
};
static_assert(sizeof(ParameterDefinition) == 16);
static_assert(offsetof(ParameterDefinition, typeCode) == 8);
static_assert(offsetof(ParameterDefinition, isOptional) == 12);

// The game calls a command's execute handler with eight pointer-sized values:
// parameter definitions, script data, this object, containing object, script,
// locals, result, opcode offset.
using CommandExecuteFn = bool (*)(void* parameters, void* scriptData, void* thisObject,
                                  void* containingObject, void* script, void* locals,
                                  void* result, void* opcodeOffset);

// Reads a command's parameters. Takes the handler's 1st, 2nd, 8th, 3rd, 4th,
// 5th and 6th values, then the 512-byte text buffer of the one text parameter.
using ParameterExtractorFn = bool (*)(void* parameters, void* scriptData, void* opcodeOffset,
                                      void* thisObject, void* containingObject, void* script,
                                      void* locals, char* textOut);
constexpr std::size_t kParameterTextCapacity = 512;

struct CommandEntry {
    const char* longName;                 // 0x00 the word typed in the console
    const char* shortName;                // 0x08 alias
    std::uint32_t opcode;                 // 0x10
    std::uint32_t pad14;                  // 0x14
    const char* helpText;                 // 0x18
    std::uint8_t flags;                   // 0x20
    std::uint8_t pad21;                   // 0x21
    std::uint16_t parameterCount;         // 0x22
    std::uint32_t pad24;                  // 0x24
    ParameterDefinition* parameters;      // 0x28
    CommandExecuteFn execute;             // 0x30
    std::uint8_t gameFields[0x58 - 0x38]; // 0x38 the game's own, never touched by plug-ins
};
static_assert(sizeof(CommandEntry) == 0x58);
static_assert(offsetof(CommandEntry, longName) == 0);
static_assert(offsetof(CommandEntry, shortName) == 8);
static_assert(offsetof(CommandEntry, opcode) == 16);
static_assert(offsetof(CommandEntry, helpText) == 24);
static_assert(offsetof(CommandEntry, flags) == 32);
static_assert(offsetof(CommandEntry, parameterCount) == 34);
static_assert(offsetof(CommandEntry, parameters) == 40);
static_assert(offsetof(CommandEntry, execute) == 48);

// ---------------------------------------------------------------------------
// Player update events

struct PlayerUpdateEvent {
    std::uint64_t sequence;  // counts notifications; nobody relies on it
};

namespace VXTEventDetail {
struct SinkBase;
}

// Hand-built virtual table: slot 0 is the destructor (the game's scalar
// deleting form: it takes the object and a flag word), slot 1 ProcessEvent.
// A compiler's own table would put two destructors first on some ABIs.
struct EventSinkVTable {
    void (*destroy)(VXTEventDetail::SinkBase* self, std::uint32_t flags);
    std::uint32_t (*processEvent)(VXTEventDetail::SinkBase* self, const void* event,
                                  EventSource* source);
};
static_assert(sizeof(EventSinkVTable) == 16);
static_assert(offsetof(EventSinkVTable, processEvent) == 8);

namespace VXTEventDetail {
struct SinkBase {
    const EventSinkVTable* vtable;
};
static_assert(sizeof(SinkBase) == 8);
}  // namespace VXTEventDetail

constexpr std::uint32_t kNotifyContinue = 0;

// ---------------------------------------------------------------------------
// Ship components. Every component starts with the game's 8-byte head
// (its type identity); the field offsets below follow it.

struct ComponentHead {
    const void* typeIdentity;
};
static_assert(sizeof(ComponentHead) == 8);

struct AddToInventoryOnDestroyComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNAddToInventoryOnDestroy_Component";
    ComponentHead head;
    Form* form;
};
static_assert(offsetof(AddToInventoryOnDestroyComponent, form) == 0x08);

struct AnimationGraphComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNAnimationGraph_Component";
    ComponentHead head;
    FixedString rootAnimGraph;
    FixedString rigFile;
    FixedString animPath;
    FixedString responseFile;
};
static_assert(offsetof(AnimationGraphComponent, rootAnimGraph) == 0x08);
static_assert(offsetof(AnimationGraphComponent, responseFile) == 0x20);

struct KeywordFormComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNKeywordForm_Component";
    ComponentHead head;
    CountedArray<Form*> keywords;  // entries may be empty
};
static_assert(offsetof(KeywordFormComponent, keywords) == 0x08);

// Read up to the first entry that is empty or not a keyword; the count is
// not authoritative.
struct AttachParentArrayComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNAttachParentArray_Component";
    ComponentHead head;
    CountedArray<Form*> keywords;
};
static_assert(offsetof(AttachParentArrayComponent, keywords) == 0x08);

struct PropertySheetEntryRecord {
    Form* first;
    Form* second;
    float third;
    std::uint32_t pad14;
};
static_assert(sizeof(PropertySheetEntryRecord) == 24);
static_assert(offsetof(PropertySheetEntryRecord, second) == 8);
static_assert(offsetof(PropertySheetEntryRecord, third) == 16);

struct PropertySheet {
    CountedArray<PropertySheetEntryRecord> entries;
};

struct PropertySheetComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNPropertySheet_Component";
    ComponentHead head;
    PropertySheet* sheet;  // may be absent
};
static_assert(offsetof(PropertySheetComponent, sheet) == 0x08);

struct SpaceshipAIActorComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNSpaceshipAIActor_Component";
    ComponentHead head;
    Form* actor;
};
static_assert(offsetof(SpaceshipAIActorComponent, actor) == 0x08);

struct LinkedVoiceTypeComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNLinkedVoiceType_Component";
    ComponentHead head;
    Form* voice;
};
static_assert(offsetof(LinkedVoiceTypeComponent, voice) == 0x08);

struct SpaceshipWeaponBindingsComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNSpaceshipWeaponBindings_Component";
    ComponentHead head;
    std::uint32_t weaponSlot1;
    std::uint32_t weaponSlot2;
    std::uint32_t weaponSlot3;
};
static_assert(offsetof(SpaceshipWeaponBindingsComponent, weaponSlot1) == 0x08);
static_assert(offsetof(SpaceshipWeaponBindingsComponent, weaponSlot3) == 0x10);

struct SpaceshipHullCodeComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNSpaceshipHullCode_Component";
    ComponentHead head;
    FixedString hullCode;
};
static_assert(offsetof(SpaceshipHullCodeComponent, hullCode) == 0x08);

struct TraversalRecord {
    float unk00;
    float unk04;
    float unk08;
    std::uint32_t unk0C;
    Form* traversal;
    float fFromX;
    float fFromY;
    float fFromZ;
    float fToX;
    float fToY;
    float fToZ;
    float fUnknown30;
    float fUnknown34;
    std::uint32_t uUnknown38;
    std::uint32_t uUnknown3C;
    std::uint32_t unk40;
    std::uint32_t pad44;
};
static_assert(sizeof(TraversalRecord) == 72);
static_assert(offsetof(TraversalRecord, unk0C) == 0x0C);
static_assert(offsetof(TraversalRecord, traversal) == 0x10);
static_assert(offsetof(TraversalRecord, fFromX) == 0x18);
static_assert(offsetof(TraversalRecord, fToZ) == 0x2C);
static_assert(offsetof(TraversalRecord, fUnknown30) == 0x30);
static_assert(offsetof(TraversalRecord, fUnknown34) == 0x34);
static_assert(offsetof(TraversalRecord, uUnknown38) == 0x38);
static_assert(offsetof(TraversalRecord, uUnknown3C) == 0x3C);
static_assert(offsetof(TraversalRecord, unk40) == 0x40);

struct TraversalGroupRecord {
    CountedArray<TraversalRecord> traversals;
    std::uint32_t unk10;  // not exported, left 0 by the importer
    float unk14;
    float unk18;
    float unk1C;
    float unk20;
    float unk24;
};
static_assert(sizeof(TraversalGroupRecord) == 40);
static_assert(offsetof(TraversalGroupRecord, unk10) == 0x10);
static_assert(offsetof(TraversalGroupRecord, unk14) == 0x14);
static_assert(offsetof(TraversalGroupRecord, unk24) == 0x24);

struct StoredTraversalsComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "QRNStoredTraversals_Component";
    ComponentHead head;
    CountedArray<TraversalRecord> traversals1;
    CountedArray<TraversalGroupRecord> traversals2;
};
static_assert(offsetof(StoredTraversalsComponent, traversals1) == 0x08);
static_assert(offsetof(StoredTraversalsComponent, traversals2) == 0x18);

// One ship module.
struct BlueprintPartRecord {
    float fPosX;
    float fPosY;
    float fPosZ;
    float fRotX;
    float fRotY;
    float fRotZ;
    std::uint32_t partID;
    float unk1C;
    float unk20;
    float unk24;
    float unk28;
    float unk2C;
    float unk30;
    float unk34;
    std::uint8_t unk38;
    std::uint8_t unk39;
    std::uint8_t unk3A;
    std::uint8_t unk3B;
    float unk3C;  // a single byte in blueprints older than 2.00
    std::uint32_t unk40;
    std::uint32_t unk44;
    std::uint8_t unk48_98[80];
    Form* item;
    std::uint32_t unkA0;
    std::uint32_t unkA4;
};
static_assert(sizeof(BlueprintPartRecord) == 168);
static_assert(offsetof(BlueprintPartRecord, fRotZ) == 0x14);
static_assert(offsetof(BlueprintPartRecord, partID) == 0x18);
static_assert(offsetof(BlueprintPartRecord, unk1C) == 0x1C);
static_assert(offsetof(BlueprintPartRecord, unk34) == 0x34);
static_assert(offsetof(BlueprintPartRecord, unk38) == 0x38);
static_assert(offsetof(BlueprintPartRecord, unk3B) == 0x3B);
static_assert(offsetof(BlueprintPartRecord, unk3C) == 0x3C);
static_assert(offsetof(BlueprintPartRecord, unk40) == 0x40);
static_assert(offsetof(BlueprintPartRecord, unk44) == 0x44);
static_assert(offsetof(BlueprintPartRecord, unk48_98) == 0x48);
static_assert(offsetof(BlueprintPartRecord, item) == 0x98);
static_assert(offsetof(BlueprintPartRecord, unkA0) == 0xA0);
static_assert(offsetof(BlueprintPartRecord, unkA4) == 0xA4);

struct BlueprintComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "Blueprint_Component";
    ComponentHead head;
    std::uint64_t unk08;
    FixedString unk10;
    CountedArray<BlueprintPartRecord> data;
    std::uint64_t unk28;
    std::uint64_t unk30;
    std::uint32_t unk38;  // written under the key "Blueprint.unk34"
    std::uint32_t unk3C;
};
static_assert(sizeof(BlueprintComponent) == 0x40);
static_assert(offsetof(BlueprintComponent, unk08) == 0x08);
static_assert(offsetof(BlueprintComponent, unk10) == 0x10);
static_assert(offsetof(BlueprintComponent, data) == 0x18);
static_assert(offsetof(BlueprintComponent, unk28) == 0x28);
static_assert(offsetof(BlueprintComponent, unk30) == 0x30);
static_assert(offsetof(BlueprintComponent, unk38) == 0x38);
static_assert(offsetof(BlueprintComponent, unk3C) == 0x3C);

struct ContainerEntryRecord {
    std::int32_t count;
    std::uint32_t pad04;
    Form* obj;
    ExtraDataList* itemExtra;  // may be absent
};
static_assert(sizeof(ContainerEntryRecord) == 24);
static_assert(offsetof(ContainerEntryRecord, obj) == 8);
static_assert(offsetof(ContainerEntryRecord, itemExtra) == 16);

struct ContainerComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "KORContainer_Component";
    ComponentHead head;
    CountedArray<ContainerEntryRecord> entries;
};
static_assert(offsetof(ContainerComponent, entries) == 0x08);

struct FullNameComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "KORFullName_Component";
    ComponentHead head;
    FixedString fullName;
};
static_assert(offsetof(FullNameComponent, fullName) == 0x08);

struct ModelComponent {
    // The component's type name, by which a form finds it.
    static constexpr const char* kTypeName = "KORModel_Component";
    ComponentHead head;
    FixedString model;
};
static_assert(offsetof(ModelComponent, model) == 0x08);

// ---------------------------------------------------------------------------
// Reference creation

struct CreateReferenceRequest {
    std::uint64_t recordMarker;  // 0   the game's marker for this record type
    float zero08;                // 8
    float zero0C;                // 12
    float position[3];           // 16
    float rotation[3];           // 28  radians
    float scale;                 // 40
    float zero2C;                // 44
    Form* baseObject;            // 48
    Form* cell;                  // 56  none when a parent ship is given
    Form* parentShip;            // 64
    std::uint64_t zero48;        // 72
    std::uint8_t zero50[60];     // 80 .. 139
    std::uint8_t flag8C;         // 140 always 1
    std::uint8_t flag8D;         // 141 always 1
    std::uint8_t zero8E[10];     // 142 .. 151
    std::uint64_t one98;         // 152 always 1
    std::uint8_t zeroA0[16];     // 160 .. 175
};
static_assert(sizeof(CreateReferenceRequest) == 176);
static_assert(offsetof(CreateReferenceRequest, position) == 16);
static_assert(offsetof(CreateReferenceRequest, rotation) == 28);
static_assert(offsetof(CreateReferenceRequest, scale) == 40);
static_assert(offsetof(CreateReferenceRequest, baseObject) == 48);
static_assert(offsetof(CreateReferenceRequest, cell) == 56);
static_assert(offsetof(CreateReferenceRequest, parentShip) == 64);
static_assert(offsetof(CreateReferenceRequest, flag8C) == 140);
static_assert(offsetof(CreateReferenceRequest, flag8D) == 141);
static_assert(offsetof(CreateReferenceRequest, one98) == 152);

// ---------------------------------------------------------------------------
// Game objects and loaded cells

// Every game object, forms and cells included, begins with its class
// identity: the address of its class's table inside the game module. A cell's
// tells which of the game's cell classes the object belongs to.
struct ObjectHead {
    const void* classIdentity;
};
static_assert(sizeof(ObjectHead) == 8);
static_assert(offsetof(ObjectHead, classIdentity) == 0);

// The game has three classes of cell object.
constexpr std::size_t kCellClassCount = 3;

// One entry of the cell manager's table of loaded cells.
struct LoadedCellEntry {
    std::uint64_t unk00;  // the game's own
    Form* cell;
};
static_assert(sizeof(LoadedCellEntry) == 16);
static_assert(offsetof(LoadedCellEntry, cell) == 0x08);

// The game's cell manager: the cell the game treats as current and the
// entries of the cells it holds loaded. Entries may be stale.
struct CellManager {
    ObjectHead head;
    Form* currentCell;                          // may be none
    CountedArray<LoadedCellEntry*> loadedCells;
};
static_assert(sizeof(CellManager) == 0x20);
static_assert(offsetof(CellManager, currentCell) == 0x08);
static_assert(offsetof(CellManager, loadedCells) == 0x10);
static_assert(offsetof(CellManager, loadedCells) + offsetof(CountedArrayHeader, count) == 0x1C);

// ---------------------------------------------------------------------------
// Data files and their lists

struct FileList {
    FileRecord** files;  // entries may be empty or point to other objects
    std::uint32_t count;
};
static_assert(offsetof(FileList, count) == 8);

struct FileListTable {
    FileList* lists;
    std::uint32_t count;
};
static_assert(offsetof(FileListTable, count) == 8);

constexpr std::uint16_t kNoFileList = 0xFFFF;

struct FormTypeName {
    const char* name;
    std::uint32_t code;
};
static_assert(sizeof(FormTypeName) == 16);

// Form type codes the plug-in tests.
enum FormType : std::uint8_t {
    kFormTypeKeyword = 4,
    kFormTypePlaceable30 = 30,  // a placeable item type the game leaves unnamed
    kFormTypeArmor = 34,
    kFormTypeBook = 35,
    kFormTypeContainer = 36,
    kFormTypeMisc = 40,
    kFormTypePlaceable43 = 43,  // likewise
    kFormTypeMoveableStatic = 44,
    kFormTypeFurniture = 47,
    kFormTypeWeapon = 48,
    kFormTypeAmmo = 49,
    kFormTypeNPC = 50,
    kFormTypeKey = 53,
    kFormTypeIngestible = 54,
    kFormTypeTerminal = 62,
    kFormTypeGenericBaseForm = 65,
    kFormTypeCell = 73,
    kFormTypeObjectReference = 74,
    kFormTypeActorReference = 75,
    kFormTypeActorValueInfo = 109,
    kFormTypeVoiceType = 112,
    kFormTypeTraversal = 170,
};

}  // namespace veltrane
