// The records a blueprint lists element by element: a ship's modules, its
// traversals and its traversal groups, each with its field table (see
// FieldTable.h), the key its elements' lines begin with, and what an export
// stops with when an element's form has no data file.
#pragma once

#include <string_view>

#include "format/FieldTable.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

// --- Modules: "Blueprint.data[" index "].fPosX |" ...
inline constexpr char kModuleKey[] = "Blueprint.data[";
inline constexpr std::uint8_t kModuleItemFormType = veltrane::kFormTypeGenericBaseForm;
inline constexpr std::string_view kModuleItemMissingFile = "KORFile of Blueprint item ";

inline constexpr RecordField<veltrane::BlueprintPartRecord> kModuleFields[] = {
    {"].fPosX |", FieldKind::Float, &veltrane::BlueprintPartRecord::fPosX},
    {"].fPosY |", FieldKind::Float, &veltrane::BlueprintPartRecord::fPosY},
    {"].fPosZ |", FieldKind::Float, &veltrane::BlueprintPartRecord::fPosZ},
    {"].fRotX |", FieldKind::Float, &veltrane::BlueprintPartRecord::fRotX},
    {"].fRotY |", FieldKind::Float, &veltrane::BlueprintPartRecord::fRotY},
    {"].fRotZ |", FieldKind::Float, &veltrane::BlueprintPartRecord::fRotZ},
    {"].partID |", FieldKind::Whole, &veltrane::BlueprintPartRecord::partID},
    {"].unk1C |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk1C},
    {"].unk20 |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk20},
    {"].unk24 |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk24},
    {"].unk28 |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk28},
    {"].unk2C |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk2C},
    {"].unk30 |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk30},
    {"].unk34 |", FieldKind::Float, &veltrane::BlueprintPartRecord::unk34},
    {"].unk38 |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk38},
    {"].unk39 |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk39},
    {"].unk3A |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk3A},
    {"].unk3B |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk3B},
    {"].unk3C |", FieldKind::FloatOrLegacyByte, &veltrane::BlueprintPartRecord::unk3C},
    {"].unk40 |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk40},
    {"].unk44 |", FieldKind::Whole, &veltrane::BlueprintPartRecord::unk44},
    {"].unk48_98 |", FieldKind::RawBytes, &veltrane::BlueprintPartRecord::unk48_98},
    {"].item |", FieldKind::Form, &veltrane::BlueprintPartRecord::item},
    {"].unkA0 |", FieldKind::Unsigned, &veltrane::BlueprintPartRecord::unkA0},
    {"].unkA4 |", FieldKind::Unsigned, &veltrane::BlueprintPartRecord::unkA4},
};
static_assert(IsWellFormed<veltrane::BlueprintPartRecord>(kModuleFields));

// --- Traversals: "QRNStoredTraversalData.traversals1[" index "].unk00 |" ...,
// and inside a traversal group "QRNStoredTraversalData.traversals2[" i
// "].traversals[" j "].unk00 |" ...
inline constexpr char kTraversalsKey[] = "QRNStoredTraversalData.traversals1[";
inline constexpr char kTraversalGroupsKey[] = "QRNStoredTraversalData.traversals2[";
inline constexpr char kGroupTraversalsKey[] = "].traversals[";
inline constexpr std::uint8_t kTraversalFormType = veltrane::kFormTypeTraversal;
inline constexpr std::string_view kTraversalMissingFile = "KORFile of QRNStoredTraversalData ";
inline constexpr std::string_view kGroupTraversalMissingFile = "KORFile of QRNStoredTraversalData2 ";

inline constexpr RecordField<veltrane::TraversalRecord> kTraversalFields[] = {
    {"].unk00 |", FieldKind::Float, &veltrane::TraversalRecord::unk00},
    {"].unk04 |", FieldKind::Float, &veltrane::TraversalRecord::unk04},
    {"].unk08 |", FieldKind::Float, &veltrane::TraversalRecord::unk08},
    {"].unk0C |", FieldKind::Unsigned, &veltrane::TraversalRecord::unk0C},
    {"].traversal |", FieldKind::Form, &veltrane::TraversalRecord::traversal},
    {"].fFromX |", FieldKind::Float, &veltrane::TraversalRecord::fFromX},
    {"].fFromY |", FieldKind::Float, &veltrane::TraversalRecord::fFromY},
    {"].fFromZ |", FieldKind::Float, &veltrane::TraversalRecord::fFromZ},
    {"].fToX |", FieldKind::Float, &veltrane::TraversalRecord::fToX},
    {"].fToY |", FieldKind::Float, &veltrane::TraversalRecord::fToY},
    {"].fToZ |", FieldKind::Float, &veltrane::TraversalRecord::fToZ},
    {"].fUnknown30 |", FieldKind::Float, &veltrane::TraversalRecord::fUnknown30},
    {"].fUnknown34 |", FieldKind::Float, &veltrane::TraversalRecord::fUnknown34},
    {"].uUnknown38 |", FieldKind::Unsigned, &veltrane::TraversalRecord::uUnknown38, "].fUnknown38"},
    {"].uUnknown3C |", FieldKind::Unsigned, &veltrane::TraversalRecord::uUnknown3C, "].fUnknown3C"},
    {"].unk40 |", FieldKind::Unsigned, &veltrane::TraversalRecord::unk40},
};
static_assert(IsWellFormed<veltrane::TraversalRecord>(kTraversalFields));

// A traversal group's own fields, written after its traversals. Its first
// field makes a group that has no traversals to make it.
inline constexpr RecordField<veltrane::TraversalGroupRecord> kTraversalGroupFields[] = {
    {"].unk14 |", FieldKind::Float, &veltrane::TraversalGroupRecord::unk14},
    {"].unk18 |", FieldKind::Float, &veltrane::TraversalGroupRecord::unk18},
    {"].unk1C |", FieldKind::Float, &veltrane::TraversalGroupRecord::unk1C},
    {"].unk20 |", FieldKind::Float, &veltrane::TraversalGroupRecord::unk20},
    {"].unk24 |", FieldKind::Float, &veltrane::TraversalGroupRecord::unk24},
};
static_assert(IsWellFormed<veltrane::TraversalGroupRecord>(kTraversalGroupFields));

}  // namespace Corvanis
