// The ship's modules.
#include "export/sections/RecordLines.h"
#include "export/sections/SectionWriters.h"
#include "format/ShipRecords.h"
#include "format/UnreadKeys.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"

namespace Corvanis {

bool WriteBlueprint(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::BlueprintComponent>(ship.form);
    if (component == nullptr) return true;
    out.UnsignedLine("Blueprint.unk08 |", "", component->unk08);
    out.TextLine("Blueprint.unk10 |", "", veltrane::FixedStringText(component->unk10));
    for (std::uint32_t i = 0; i < component->data.count; ++i) {
        if (!WriteRecordLines(out, IndexedKey(kModuleKey, i), kModuleFields, component->data.data[i],
                              kModuleItemMissingFile, ship.forUndo, error)) {
            return false;
        }
    }
    out.UnsignedLine(kBlueprintUnk28Key, "", component->unk28);
    out.UnsignedLine(kBlueprintUnk30Key, "", component->unk30);
    out.UnsignedLine(kBlueprintUnk38Key, "", component->unk38);
    out.UnsignedLine(kBlueprintUnk3CKey, "", component->unk3C);
    return true;
}

}  // namespace Corvanis
