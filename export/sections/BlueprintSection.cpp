// The ship's modules.
#include "export/sections/RecordLines.h"
#include "export/sections/SectionWriters.h"
#include "format/ShipRecords.h"

namespace Corvanis {

bool WriteBlueprint(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::BlueprintComponent>(ship.form, "Blueprint_Component");
    if (component == nullptr) return true;
    out.UnsignedLine("Blueprint.unk08 |", "", component->unk08);
    out.TextLine("Blueprint.unk10 |", "", veltrane::FixedStringText(component->unk10));
    for (std::uint32_t i = 0; i < component->data.count; ++i) {
        if (!WriteRecordLines(out, IndexedKey(kModuleKey, i), kModuleFields, component->data.data[i],
                              kModuleItemMissingFile, ship.forUndo, error)) {
            return false;
        }
    }
    out.UnsignedLine("Blueprint.unk28 |", "", component->unk28);
    out.UnsignedLine("Blueprint.unk30 |", "", component->unk30);
    // The word right after unk30 goes by the name of unk34 in blueprints.
    out.UnsignedLine("Blueprint.unk34 |", "", component->unk38);
    out.UnsignedLine("Blueprint.unk3C |", "", component->unk3C);
    return true;
}

}  // namespace Corvanis
