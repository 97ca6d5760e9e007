// Ship components and the records they hold. Every component starts with the
// game's 8-byte head (its type identity); the field offsets below follow it.
// Each component names its game type, by which a form finds it.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"
#include "host/layouts/StringsAndArrays.h"

namespace veltrane {

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

}  // namespace veltrane
