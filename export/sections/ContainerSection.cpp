#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"
#include "format/UnreadKeys.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

bool WriteContainer(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::ContainerComponent>(ship.form);
    if (component == nullptr) return true;
    for (std::uint32_t i = 0; i < component->entries.count; ++i) {
        const veltrane::ContainerEntryRecord& entry = component->entries.data[i];
        const IndexedKey prefix("KORContainer[", i);
        out.SignedLine(prefix, "].count |", entry.count);
        out.ItemExtraLine(prefix, kContainerItemExtraKey, entry.itemExtra);
        if (!WriteFormLine(out, prefix, "].obj |", entry.obj, "KORFile of KORContainer object ", error)) return false;
    }
    return true;
}

}  // namespace Corvanis
