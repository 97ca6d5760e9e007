#include "export/sections/ShipSections.h"

#include <array>

#include "export/sections/SectionWriters.h"

namespace Corvanis {

namespace {

constexpr std::array<ShipSection, 15> kSections{{
    {"exporting QRNAddToInventoryOnDestroy", &WriteAddToInventoryOnDestroy},
    {"exporting QRNAnimationGraphComponent", &WriteAnimationGraph},
    {"exporting QRNKeywordForm", &WriteKeywordForm},
    {"exporting QRNAttachParentArray", &WriteAttachParentArray},
    {"exporting QRNPropertySheet", &WritePropertySheet},
    {"exporting QRNSpaceshipAIActor", &WriteSpaceshipAIActor},
    {"exporting QRNLinkedVoiceType", &WriteLinkedVoiceType},
    {"exporting QRNSpaceshipWeaponBinding", &WriteSpaceshipWeaponBinding},
    {"exporting QRNSpaceshipHullCode", &WriteSpaceshipHullCode},
    {"exporting QRNStoredTraversalData", &WriteStoredTraversalData},
    {"exporting Blueprint", &WriteBlueprint},
    {"exporting KORContainer", &WriteContainer},
    // The display name has no phase of its own: it is reported as part of
    // the container's.
    {"exporting KORContainer", &WriteDisplayName},
    {"exporting KORFullName", &WriteFullName},
    {"exporting KORModel", &WriteModel},
}};

}  // namespace

std::span<const ShipSection> ShipSections() { return kSections; }

}  // namespace Corvanis
