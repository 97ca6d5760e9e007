#include "export/sections/SectionWriters.h"
#include "forms/FormReference.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

namespace {

// The only form value that never stops an export: a form without home file
// is written as if it came from the master file.
std::string PropertyFormText(const host::Form* form) {
    if (std::optional<std::string> reference = FormReferenceText(form)) return *std::move(reference);
    return LocalFormIDText(form, FileSlotKind::Full) + "|Veltrane.vmf";
}

}  // namespace

bool WritePropertySheet(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::PropertySheetComponent>(ship.form);
    if (component == nullptr) return true;
    const veltrane::PropertySheet* sheet = component->sheet;
    if (sheet == nullptr) {
        error.sExtraErrorText = "KORFile of QRNPropertySheet is nullptr";
        return false;
    }
    if (sheet->entries.count == 0 || sheet->entries.data == nullptr) {
        error.sExtraErrorText = "size of QRNPropertySheet is 0";
        return false;
    }
    for (std::uint32_t i = 0; i < sheet->entries.count; ++i) {
        const veltrane::PropertySheetEntryRecord& entry = sheet->entries.data[i];
        const IndexedKey prefix("QRNPropertySheet[", i);
        out.Line(prefix, "].first |", PropertyFormText(entry.first));
        if (entry.second != nullptr) out.Line(prefix, "].second |", PropertyFormText(entry.second));
        out.FloatLine(prefix, "].third |", entry.third);
    }
    return true;
}

}  // namespace Corvanis
