#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"

namespace Corvanis {

namespace {

bool WriteTraversal(BlueprintWriter& out, std::string_view prefix, const veltrane::TraversalRecord& traversal,
                    std::string_view what, ExportErrorInfo& error) {
    out.FloatLine(prefix, "].unk00 |", traversal.unk00);
    out.FloatLine(prefix, "].unk04 |", traversal.unk04);
    out.FloatLine(prefix, "].unk08 |", traversal.unk08);
    out.UnsignedLine(prefix, "].unk0C |", traversal.unk0C);
    if (!WriteFormLine(out, prefix, "].traversal |", traversal.traversal, what, error)) return false;
    out.FloatLine(prefix, "].fFromX |", traversal.fFromX);
    out.FloatLine(prefix, "].fFromY |", traversal.fFromY);
    out.FloatLine(prefix, "].fFromZ |", traversal.fFromZ);
    out.FloatLine(prefix, "].fToX |", traversal.fToX);
    out.FloatLine(prefix, "].fToY |", traversal.fToY);
    out.FloatLine(prefix, "].fToZ |", traversal.fToZ);
    out.FloatLine(prefix, "].fUnknown30 |", traversal.fUnknown30);
    out.FloatLine(prefix, "].fUnknown34 |", traversal.fUnknown34);
    out.UnsignedLine(prefix, "].uUnknown38 |", traversal.uUnknown38);
    out.UnsignedLine(prefix, "].uUnknown3C |", traversal.uUnknown3C);
    out.UnsignedLine(prefix, "].unk40 |", traversal.unk40);
    return true;
}

bool WriteGroup(BlueprintWriter& out, const IndexedKey& prefix, const veltrane::TraversalGroupRecord& group,
                ExportErrorInfo& error) {
    for (std::uint32_t j = 0; j < group.traversals.count; ++j) {
        if (!WriteTraversal(out, IndexedKey(prefix, "].traversals[", j), group.traversals.data[j],
                            "KORFile of QRNStoredTraversalData2 ", error)) {
            return false;
        }
    }
    out.FloatLine(prefix, "].unk14 |", group.unk14);
    out.FloatLine(prefix, "].unk18 |", group.unk18);
    out.FloatLine(prefix, "].unk1C |", group.unk1C);
    out.FloatLine(prefix, "].unk20 |", group.unk20);
    out.FloatLine(prefix, "].unk24 |", group.unk24);
    return true;
}

}  // namespace

bool WriteStoredTraversalData(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component =
        host::FindComponent<veltrane::StoredTraversalsComponent>(ship.form, "QRNStoredTraversals_Component");
    if (component == nullptr) return true;
    for (std::uint32_t i = 0; i < component->traversals1.count; ++i) {
        if (!WriteTraversal(out, IndexedKey("QRNStoredTraversalData.traversals1[", i),
                            component->traversals1.data[i], "KORFile of QRNStoredTraversalData ", error)) {
            return false;
        }
    }
    for (std::uint32_t i = 0; i < component->traversals2.count; ++i) {
        if (!WriteGroup(out, IndexedKey("QRNStoredTraversalData.traversals2[", i), component->traversals2.data[i],
                        error)) {
            return false;
        }
    }
    return true;
}

}  // namespace Corvanis
