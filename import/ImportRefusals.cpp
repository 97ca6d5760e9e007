#include "import/ImportRefusals.h"

#include <string_view>

namespace Corvanis {

namespace {

// Why an importer stopped, by the start of its phase or of its error text.
struct FailureReason {
    std::string_view phaseStart;
    std::string_view textStart;
    const char* reason;
};

constexpr FailureReason kFailureReasons[] = {
    {"backing up", "",
     "the backup of what the import replaces could not be written: free the Spaceships\\Backups folder (it must "
     "be a folder, not a file, that can be written), then import again"},
    {"importing DecorItems", "",
     "the game would not place the item the text above names, so the items placed before it were taken back and "
     "the interior is as it was"},
    {"", "ClosestWorkshopRef is nullptr",
     "the ship has no workshop: place a workbench in or near the ship, then import again"},
    {"", "theInteriorCell", "you are not inside the ship: go into its interior and import again"},
    {"", "Bleuprint read error: !inputstream.is_open()",
     "the blueprint file cannot be opened for changing, which the import asks for: make it writable (not "
     "read-only) and close programs that hold it"},
    {"", "Bleuprint read error", "the blueprint file cannot be read: close programs that hold it, or copy it anew"},
    // WorkshopKeyword, WorkshopItemKeyword
    {"", "Workshop", "the game's data files lack a workshop keyword, so no interior can be imported with them"},
};

bool Matches(const FailureReason& entry, const ImportErrorInfo& error) {
    if (!entry.phaseStart.empty()) return error.sPhase.starts_with(entry.phaseStart);
    return error.sExtraErrorText.starts_with(entry.textStart);
}

}  // namespace

void ExplainImportFailure(ImportErrorInfo& error) {
    if (!error.sReason.empty()) return;
    for (const FailureReason& entry : kFailureReasons) {
        if (Matches(entry, error)) {
            error.sReason = entry.reason;
            return;
        }
    }
}

}  // namespace Corvanis
