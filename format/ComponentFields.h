// The components whose values a blueprint carries line by line, each with
// its field table (see FieldTable.h): the key stands whole, without an
// element's index.
#pragma once

#include "format/FieldTable.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

inline constexpr RecordField<veltrane::AnimationGraphComponent> kAnimationGraphFields[] = {
    {"QRNAnimationGraphComponent.rootAnimGraph |", FieldKind::Text, &veltrane::AnimationGraphComponent::rootAnimGraph},
    {"QRNAnimationGraphComponent.rigFile |", FieldKind::Text, &veltrane::AnimationGraphComponent::rigFile},
    {"QRNAnimationGraphComponent.animPath |", FieldKind::Text, &veltrane::AnimationGraphComponent::animPath},
    {"QRNAnimationGraphComponent.responseFile |", FieldKind::Text, &veltrane::AnimationGraphComponent::responseFile},
};
static_assert(IsWellFormed<veltrane::AnimationGraphComponent>(kAnimationGraphFields, KeyShape::Whole));

inline constexpr RecordField<veltrane::SpaceshipWeaponBindingsComponent> kWeaponBindingFields[] = {
    {"QRNSpaceshipWeaponBinding.weaponSlot1 |", FieldKind::Unsigned,
     &veltrane::SpaceshipWeaponBindingsComponent::weaponSlot1},
    {"QRNSpaceshipWeaponBinding.weaponSlot2 |", FieldKind::Unsigned,
     &veltrane::SpaceshipWeaponBindingsComponent::weaponSlot2},
    {"QRNSpaceshipWeaponBinding.weaponSlot3 |", FieldKind::Unsigned,
     &veltrane::SpaceshipWeaponBindingsComponent::weaponSlot3},
};
static_assert(IsWellFormed<veltrane::SpaceshipWeaponBindingsComponent>(kWeaponBindingFields, KeyShape::Whole));

inline constexpr RecordField<veltrane::SpaceshipHullCodeComponent> kHullCodeFields[] = {
    {"QRNSpaceshipHullCode.hullCode |", FieldKind::Text, &veltrane::SpaceshipHullCodeComponent::hullCode},
};
static_assert(IsWellFormed<veltrane::SpaceshipHullCodeComponent>(kHullCodeFields, KeyShape::Whole));

inline constexpr RecordField<veltrane::FullNameComponent> kFullNameFields[] = {
    {"KORFullName.fullName |", FieldKind::Text, &veltrane::FullNameComponent::fullName},
};
static_assert(IsWellFormed<veltrane::FullNameComponent>(kFullNameFields, KeyShape::Whole));

inline constexpr RecordField<veltrane::ModelComponent> kModelFields[] = {
    {"KORModel.model |", FieldKind::Text, &veltrane::ModelComponent::model},
};
static_assert(IsWellFormed<veltrane::ModelComponent>(kModelFields, KeyShape::Whole));

}  // namespace Corvanis
