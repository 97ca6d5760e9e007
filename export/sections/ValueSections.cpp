// Sections made of texts and numbers only; none of them can stop an export.
#include "export/BlueprintHeader.h"
#include "export/sections/RecordLines.h"
#include "export/sections/SectionWriters.h"
#include "format/ComponentFields.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

namespace {

// The component's lines from its field table; none when the ship has no
// such component.
template <class Component, std::size_t N>
bool WriteComponentLines(BlueprintWriter& out, const ShipToExport& ship, const RecordField<Component> (&fields)[N],
                         ExportErrorInfo& error) {
    const auto* component = host::FindComponent<Component>(ship.form);
    if (component == nullptr) return true;
    return WriteRecordLines<Component>(out, "", fields, *component, "", ship.forUndo, error);
}

}  // namespace

bool WriteAnimationGraph(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteComponentLines(out, ship, kAnimationGraphFields, error);
}

bool WriteSpaceshipWeaponBinding(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteComponentLines(out, ship, kWeaponBindingFields, error);
}

bool WriteSpaceshipHullCode(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteComponentLines(out, ship, kHullCodeFields, error);
}

bool WriteDisplayName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo&) {
    out.TextLine("DisplayName |", "", ship.forUndo ? OverrideName(ship.reference) : ship.displayName);
    return true;
}

bool WriteFullName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteComponentLines(out, ship, kFullNameFields, error);
}

bool WriteModel(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    return WriteComponentLines(out, ship, kModelFields, error);
}

}  // namespace Corvanis
