#include "sim/world/RecordFields.h"

#include <array>

#include "host/layouts/GameObjects.h"
#include "host/layouts/ShipComponents.h"

namespace sim {

namespace {

using veltrane::BlueprintPartRecord;
using veltrane::ContainerEntryRecord;
using veltrane::PropertySheetEntryRecord;
using veltrane::TraversalGroupRecord;
using veltrane::TraversalRecord;

#define SIM_FIELD(Record, name, kind) FieldDesc{#name, offsetof(Record, name), FieldKind::kind}

constexpr std::array kTraversal{
    SIM_FIELD(TraversalRecord, unk00, Float),      SIM_FIELD(TraversalRecord, unk04, Float),
    SIM_FIELD(TraversalRecord, unk08, Float),      SIM_FIELD(TraversalRecord, unk0C, U32),
    SIM_FIELD(TraversalRecord, traversal, Form),   SIM_FIELD(TraversalRecord, fFromX, Float),
    SIM_FIELD(TraversalRecord, fFromY, Float),     SIM_FIELD(TraversalRecord, fFromZ, Float),
    SIM_FIELD(TraversalRecord, fToX, Float),       SIM_FIELD(TraversalRecord, fToY, Float),
    SIM_FIELD(TraversalRecord, fToZ, Float),       SIM_FIELD(TraversalRecord, fUnknown30, Float),
    SIM_FIELD(TraversalRecord, fUnknown34, Float), SIM_FIELD(TraversalRecord, uUnknown38, U32),
    SIM_FIELD(TraversalRecord, uUnknown3C, U32),   SIM_FIELD(TraversalRecord, unk40, U32),
};

constexpr std::array kTraversalGroup{
    SIM_FIELD(TraversalGroupRecord, unk10, U32),   SIM_FIELD(TraversalGroupRecord, unk14, Float),
    SIM_FIELD(TraversalGroupRecord, unk18, Float), SIM_FIELD(TraversalGroupRecord, unk1C, Float),
    SIM_FIELD(TraversalGroupRecord, unk20, Float), SIM_FIELD(TraversalGroupRecord, unk24, Float),
};

constexpr std::array kModule{
    SIM_FIELD(BlueprintPartRecord, fPosX, Float),    SIM_FIELD(BlueprintPartRecord, fPosY, Float),
    SIM_FIELD(BlueprintPartRecord, fPosZ, Float),    SIM_FIELD(BlueprintPartRecord, fRotX, Float),
    SIM_FIELD(BlueprintPartRecord, fRotY, Float),    SIM_FIELD(BlueprintPartRecord, fRotZ, Float),
    SIM_FIELD(BlueprintPartRecord, partID, U32),     SIM_FIELD(BlueprintPartRecord, unk1C, Float),
    SIM_FIELD(BlueprintPartRecord, unk20, Float),    SIM_FIELD(BlueprintPartRecord, unk24, Float),
    SIM_FIELD(BlueprintPartRecord, unk28, Float),    SIM_FIELD(BlueprintPartRecord, unk2C, Float),
    SIM_FIELD(BlueprintPartRecord, unk30, Float),    SIM_FIELD(BlueprintPartRecord, unk34, Float),
    SIM_FIELD(BlueprintPartRecord, unk38, U8),       SIM_FIELD(BlueprintPartRecord, unk39, U8),
    SIM_FIELD(BlueprintPartRecord, unk3A, U8),       SIM_FIELD(BlueprintPartRecord, unk3B, U8),
    SIM_FIELD(BlueprintPartRecord, unk3C, Float),    SIM_FIELD(BlueprintPartRecord, unk40, U32),
    SIM_FIELD(BlueprintPartRecord, unk44, U32),      SIM_FIELD(BlueprintPartRecord, unk48_98, Bytes80),
    SIM_FIELD(BlueprintPartRecord, item, Form),      SIM_FIELD(BlueprintPartRecord, unkA0, U32),
    SIM_FIELD(BlueprintPartRecord, unkA4, U32),
};

constexpr std::array kPropertySheetEntry{
    SIM_FIELD(PropertySheetEntryRecord, first, Form),
    SIM_FIELD(PropertySheetEntryRecord, second, Form),
    SIM_FIELD(PropertySheetEntryRecord, third, Float),
};

constexpr std::array kContainerEntry{
    SIM_FIELD(ContainerEntryRecord, count, I32),
    SIM_FIELD(ContainerEntryRecord, obj, Form),
    SIM_FIELD(ContainerEntryRecord, itemExtra, ItemExtra),
};

#undef SIM_FIELD

}  // namespace

std::span<const FieldDesc> TraversalFields() { return kTraversal; }
std::span<const FieldDesc> TraversalGroupFields() { return kTraversalGroup; }
std::span<const FieldDesc> ModuleFields() { return kModule; }
std::span<const FieldDesc> PropertySheetEntryFields() { return kPropertySheetEntry; }
std::span<const FieldDesc> ContainerEntryFields() { return kContainerEntry; }

}  // namespace sim
