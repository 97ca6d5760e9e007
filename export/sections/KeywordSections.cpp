// The ship's keyword lists.
#include "export/sections/FormLine.h"
#include "export/sections/SectionWriters.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/ShipComponents.h"

namespace Corvanis {

bool WriteKeywordForm(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::KeywordFormComponent>(ship.form);
    if (component == nullptr || component->keywords.data == nullptr) return true;
    // An empty position leaves a gap in the numbering: the index is the
    // position in the game's array.
    for (std::uint32_t i = 0; i < component->keywords.count; ++i) {
        const host::Form* keyword = component->keywords.data[i];
        if (keyword == nullptr) continue;
        if (!WriteFormLine(out, IndexedKey("QRNKeywordForm[", i), "] |", keyword,
                           "KORFile of QRNKeyword of QRNKeywordForm ", error)) {
            return false;
        }
    }
    return true;
}

bool WriteAttachParentArray(BlueprintWriter& out, const ShipToExport& ship, ExportErrorInfo& error) {
    const auto* component = host::FindComponent<veltrane::AttachParentArrayComponent>(ship.form);
    if (component == nullptr || component->keywords.data == nullptr) return true;
    const veltrane::GameInterface& game = host::Game();
    // The game's count of this list is not to be trusted; the list runs up to
    // the first entry that is not a keyword, and never past its storage.
    for (std::uint32_t i = 0; i < component->keywords.capacity; ++i) {
        const host::Form* keyword = component->keywords.data[i];
        if (keyword == nullptr || game.FormQueryType(keyword) != veltrane::kFormTypeKeyword) break;
        if (!WriteFormLine(out, IndexedKey("QRNAttachParentArray[", i), "] |", keyword,
                           "KORFile of QRNKeyword of QRNAttachParentArray ", error)) {
            return false;
        }
    }
    return true;
}

}  // namespace Corvanis
