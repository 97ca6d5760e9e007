// Sections made of texts and numbers only; none of them can stop an export.
#include "export/BlueprintHeader.h"
#include "export/sections/SectionWriters.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"

namespace Corvanis {

using veltrane::FixedStringText;

bool WriteAnimationGraph(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    const auto* component = host::FindComponent<veltrane::AnimationGraphComponent>(ship.form);
    if (component == nullptr) return true;
    out.TextLine("QRNAnimationGraphComponent.rootAnimGraph |", "", FixedStringText(component->rootAnimGraph));
    out.TextLine("QRNAnimationGraphComponent.rigFile |", "", FixedStringText(component->rigFile));
    out.TextLine("QRNAnimationGraphComponent.animPath |", "", FixedStringText(component->animPath));
    out.TextLine("QRNAnimationGraphComponent.responseFile |", "", FixedStringText(component->responseFile));
    return true;
}

bool WriteSpaceshipWeaponBinding(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    const auto* component = host::FindComponent<veltrane::SpaceshipWeaponBindingsComponent>(ship.form);
    if (component == nullptr) return true;
    out.UnsignedLine("QRNSpaceshipWeaponBinding.weaponSlot1 |", "", component->weaponSlot1);
    out.UnsignedLine("QRNSpaceshipWeaponBinding.weaponSlot2 |", "", component->weaponSlot2);
    out.UnsignedLine("QRNSpaceshipWeaponBinding.weaponSlot3 |", "", component->weaponSlot3);
    return true;
}

bool WriteSpaceshipHullCode(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    const auto* component = host::FindComponent<veltrane::SpaceshipHullCodeComponent>(ship.form);
    if (component == nullptr) return true;
    out.TextLine("QRNSpaceshipHullCode.hullCode |", "", FixedStringText(component->hullCode));
    return true;
}

bool WriteDisplayName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    out.TextLine("DisplayName |", "", ship.forUndo ? OverrideName(ship.reference) : ship.displayName);
    return true;
}

bool WriteFullName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    const auto* component = host::FindComponent<veltrane::FullNameComponent>(ship.form);
    if (component == nullptr) return true;
    out.TextLine("KORFullName.fullName |", "", FixedStringText(component->fullName));
    return true;
}

bool WriteModel(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    const auto* component = host::FindComponent<veltrane::ModelComponent>(ship.form);
    if (component == nullptr) return true;
    out.TextLine("KORModel.model |", "", FixedStringText(component->model));
    return true;
}

}  // namespace Corvanis
