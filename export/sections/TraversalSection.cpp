#include "export/sections/RecordLines.h"
#include "export/sections/SectionWriters.h"
#include "format/ShipRecords.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

namespace {

bool WriteGroup(BlueprintWriter& out, const IndexedKey& prefix, const veltrane::TraversalGroupRecord& group,
                ExportErrorInfo& error) {
    for (std::uint32_t j = 0; j < group.traversals.count; ++j) {
        if (!WriteRecordLines(out, IndexedKey(prefix, kGroupTraversalsKey, j), kTraversalFields,
                              group.traversals.data[j], kGroupTraversalMissingFile, false, error)) {
            return false;
        }
    }
    return WriteRecordLines(out, prefix, kTraversalGroupFields, group, {}, false, error);
}

}  // namespace

bool WriteStoredTraversalData(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::StoredTraversalsComponent>(ship.form);
    if (component == nullptr) return true;
    for (std::uint32_t i = 0; i < component->traversals1.count; ++i) {
        if (!WriteRecordLines(out, IndexedKey(kTraversalsKey, i), kTraversalFields, component->traversals1.data[i],
                              kTraversalMissingFile, false, error)) {
            return false;
        }
    }
    for (std::uint32_t i = 0; i < component->traversals2.count; ++i) {
        if (!WriteGroup(out, IndexedKey(kTraversalGroupsKey, i), component->traversals2.data[i], error)) {
            return false;
        }
    }
    return true;
}

}  // namespace Corvanis
