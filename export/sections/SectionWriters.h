// The writers of ShipSections(), one per section.
#pragma once

#include "export/sections/ShipSections.h"

namespace Corvanis {

bool WriteAddToInventoryOnDestroy(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteAnimationGraph(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteKeywordForm(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteAttachParentArray(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WritePropertySheet(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteSpaceshipAIActor(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteLinkedVoiceType(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteSpaceshipWeaponBinding(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteSpaceshipHullCode(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteStoredTraversalData(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteBlueprint(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteContainer(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteDisplayName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteFullName(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);
bool WriteModel(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error);

}  // namespace Corvanis
