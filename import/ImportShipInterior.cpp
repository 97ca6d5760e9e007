#include "import/ImportShipInterior.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "export/DecorationItems.h"
#include "format/BlueprintFileName.h"
#include "forms/DescribeForm.h"
#include "forms/FormIDText.h"
#include "forms/KeywordIDs.h"
#include "host/layouts/DataFiles.h"
#include "import/BlueprintLookup.h"
#include "import/ClosestWorkshop.h"
#include "import/DecorPlacement.h"
#include "import/GameFormResolver.h"
#include "import/ImportRefusals.h"
#include "import/InteriorClearing.h"
#include "import/reading/BlueprintFile.h"
#include "import/reading/InteriorReader.h"
#include "import/reading/ReadingNotes.h"
#include "import/reading/RefusalReasons.h"
#include "import/reading/UnresolvedForms.h"
#include "import/reading/WholeBlueprint.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

namespace {

constexpr const char* kNotImportedText = "ship interior couldn't be imported.";
constexpr const char* kImportedLine = "ImportShipInterior: INFO: ship interior successfully imported.";

bool Fail(ImportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

// The decoration items of a blueprint, with what its backup lines say.
struct InteriorBlueprint {
    std::vector<DecorItemRecord> items;
    BackupKind backup = BackupKind::None;
    std::vector<PlacedReference> placedByImport;
};

// What the blueprint's refused lines lack, read past the first refusal: the
// player learns every data file at once.
std::vector<std::string> UnresolvedFormsNotes(const BlueprintFile& file) {
    GameFormResolver game;
    UnresolvedFormsTally tally(game);
    std::vector<DecorItemRecord> items;
    InteriorReader reader(tally, items);
    ImportErrorInfo ignored;
    return UnresolvedFormsTexts(TallyUnresolvedForms(file.Lines(), reader, tally, ignored));
}

// Reads every line, then judges the blueprint as a whole; false at the
// first refusal.
bool ReadDecorItems(const BlueprintFile& file, InteriorBlueprint& blueprint, ReadingNotes& notes,
                    ImportErrorInfo& error) {
    GameFormResolver forms;
    InteriorReader reader(forms, blueprint.items, &notes);
    bool isBlueprint = false;
    for (const BlueprintLine& line : file.Lines()) {
        const LineVerdict verdict = reader.ReadLine(line, error);
        if (verdict == LineVerdict::Refused) {
            error.sReason = ExplainedRefusal(reader.RefusalReason(), line);
            error.notes = UnresolvedFormsNotes(file);
            return false;
        }
        isBlueprint = isBlueprint || ShowsBlueprint(line, verdict);
    }
    reader.Finish();
    blueprint.backup = reader.Backup();
    blueprint.placedByImport = reader.PlacedByImport();
    if (!isBlueprint) {
        error.sPhase = kWholeBlueprintPhase;
        return Fail(error, NoBlueprintText(file.Bytes()));
    }
    // The backup of an interior that had nothing to remove holds no item.
    if (blueprint.items.empty() && blueprint.backup != BackupKind::Interior) {
        error.sPhase = kWholeBlueprintPhase;
        return Fail(error, kNoDecorationItemText);
    }
    return true;
}

bool IsKeyword(const host::Form* form) {
    return form != nullptr && host::Game().FormQueryType(form) == veltrane::kFormTypeKeyword;
}

host::Form* PilotSeatKeyword() {
    host::Form* keyword = host::Game().LookupFormByID(kSpaceshipCockpitPilotSeatID);
    return IsKeyword(keyword) ? keyword : nullptr;
}

// The references an interior backup says its import placed, where they still
// stand in the cell with their base, and the clearing has not taken them.
void AddPlacedByImport(const std::vector<PlacedReference>& placed, const host::Form* theInteriorCell,
                       const WorkshopKeywords& keywords, std::vector<ReferenceToClear>& cleared) {
    const veltrane::GameInterface& game = host::Game();
    for (const PlacedReference& entry : placed) {
        host::Form* reference = game.LookupFormByID(entry.formID);
        if (reference == nullptr || game.FormGetStoredType(reference) != veltrane::kFormTypeObjectReference) continue;
        if (game.RefGetParentCell(reference) != theInteriorCell || game.RefGetBaseObject(reference) != entry.base) {
            continue;
        }
        const bool known = std::any_of(cleared.begin(), cleared.end(),
                                       [&](const ReferenceToClear& clear) { return clear.reference == reference; });
        if (!known) cleared.push_back({reference, IsLinkedToWorkshop(reference, keywords)});
    }
}

// What the backup of the removed items holds, and the removed items that no
// blueprint can carry: what the undo cannot bring back.
struct ClearedItems {
    std::vector<DecorationItem> carried;
    std::size_t notCarried = 0;
    const host::Form* firstNotCarried = nullptr;  // its base, or the reference without one
};

ClearedItems CarryClearedItems(const std::vector<ReferenceToClear>& cleared, const WorkshopKeywords& keywords) {
    const veltrane::GameInterface& game = host::Game();
    ClearedItems items;
    for (const ReferenceToClear& clear : cleared) {
        if (std::optional<DecorationItem> item = AsCarriedItem(clear.reference, keywords.workshop,
                                                               keywords.workshopItem)) {
            items.carried.push_back(*item);
        } else if (items.notCarried++ == 0) {
            const host::Form* base = game.RefGetBaseObject(clear.reference);
            items.firstNotCarried = base != nullptr ? base : clear.reference;
        }
    }
    return items;
}

// "ImportShipInterior: WARNING: 2 items ..." naming the first item by its
// name and form ID, as a player finds it in the game.
std::string NotCarriedLine(const ClearedItems& items) {
    const veltrane::GameInterface& game = host::Game();
    std::string name = game.FormGetDisplayName(items.firstNotCarried);
    if (name.empty()) name = game.FormGetEditorID(items.firstNotCarried);
    const bool one = items.notCarried == 1;
    return std::string(kImportShipInteriorPrefix) + ": WARNING: " + std::to_string(items.notCarried) +
           (one ? " item that this import removes is" : " items that this import removes are") +
           " gone for good: no blueprint can carry " + (one ? "it" : "them") + ", so the undo cannot bring " +
           (one ? "it" : "them") +
           " back (such an item came with the game's data files, is of a kind a blueprint does not know, or has a "
           "base from no data file; " +
           (one ? "it is " : "the first is ") + name + " [" + FormIDHex(game.FormGetID(items.firstNotCarried)) +
           "])";
}

bool ImportFromConsole(const CommandInput& input) {
    return RunImportShipInterior(input, kSpaceshipsFolder, platform::SystemFiles());
}

}  // namespace

bool ImportShipInteriorHelper(host::Form* theShipRef, host::Form* theInteriorCell, const std::string& folder,
                              const std::string& fileName, SettingsFlags settings, ImportErrorInfo& error,
                              ImportReport& report, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    error.sPhase = "preparing to import ship interior";
    if (theShipRef == nullptr) return Fail(error, "theShipRef is nullptr");
    if (theInteriorCell == nullptr) return Fail(error, "theInteriorCell is nullptr");
    if (!game.CellIsInterior(theInteriorCell)) {
        return Fail(error, "theInteriorCell " + DescribeForm(theInteriorCell) + " is not interior");
    }
    const WorkshopKeywords keywords{*game.workshopKeyword, *game.workshopItemKeyword, PilotSeatKeyword()};
    if (!IsKeyword(keywords.workshop)) return Fail(error, "WorkshopKeyword is nullptr or not QRNKeyword");
    if (!IsKeyword(keywords.workshopItem)) return Fail(error, "WorkshopItemKeyword is nullptr or not QRNKeyword");
    host::Form* closestWorkshop = FindClosestWorkshop(keywords.workshop);
    if (closestWorkshop == nullptr) return Fail(error, "ClosestWorkshopRef is nullptr");
    if (!RegularFileExists(folder, fileName, files)) {
        return Fail(error, "Blueprint file [" + fileName + "] at path [" + folder + "] does not exist");
    }
    BlueprintFile file(files);
    if (std::string readError; !file.Open(folder, fileName, readError)) return Fail(error, readError);
    InteriorBlueprint blueprint;
    ReadingNotes notes;
    if (!ReadDecorItems(file, blueprint, notes, error)) return false;
    for (std::string& line : NoteWarningLines(notes, kImportShipInteriorPrefix)) report.warnings.push_back(std::move(line));

    // The blueprint is accepted. What the import removes is decided before
    // anything changes; nothing is removed until every new item stands and
    // the backup holds what goes.
    error.sPhase = "importing DecorItems";
    const bool isBackup = blueprint.backup == BackupKind::Interior;
    std::vector<ReferenceToClear> cleared = DecideClearing(theInteriorCell, keywords, settings.importSettings);
    if (isBackup) AddPlacedByImport(blueprint.placedByImport, theInteriorCell, keywords, cleared);
    const ClearedItems clearedItems = CarryClearedItems(cleared, keywords);
    if (clearedItems.notCarried > 0) report.warnings.push_back(NotCarriedLine(clearedItems));

    std::vector<PlacedDecorItem> placed;
    if (!CreateDecorItems(blueprint.items, theInteriorCell, isBackup ? nullptr : &settings.importSettings, placed,
                          error)) {
        return false;
    }
    BlueprintContents backup;
    backup.layout = false;
    backup.backup = BackupKind::Interior;
    backup.items = clearedItems.carried;
    for (const PlacedDecorItem& item : placed) backup.placedByImport.push_back(item.reference);
    report.backup = BackUpShip(ShipOfReference(theShipRef), backup, folder, kImportShipInteriorPrefix, files);
    if (report.backup.result == BackupResult::Refused) {
        RemovePlacedItems(placed);
        error.sPhase = "backing up the ship interior";
        return Fail(error, report.backup.errorText);
    }
    Clear(cleared);
    FinishDecorItems(placed, closestWorkshop, keywords.workshopItem);
    return true;
}

bool RunImportShipInterior(const CommandInput& input, const std::string& folder, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    host::Form* theShipRef = player != nullptr ? game.GetShipPlayerIsIn(player, true, nullptr, nullptr) : nullptr;
    if (theShipRef == nullptr) {
        PrintCommandRefusal(kImportShipInteriorPrefix, kPlayerNotInShip);
        return false;
    }
    host::Form* theInteriorCell = game.RefGetParentCell(player);
    if (theInteriorCell == nullptr) {
        PrintCommandRefusal(kImportShipInteriorPrefix, kNoParentCell);
        return false;
    }
    const std::string typedName = input.blueprintName + kBlueprintExtension;
    const std::optional<std::string> fileName = FindBlueprintFile(folder, typedName, files);
    if (!fileName) {
        PrintCommandRefusal(kImportShipInteriorPrefix, kNoBlueprintFile,
                            kNoBlueprintFile.text + folder + typedName + "]");
        return false;
    }

    ImportErrorInfo error;
    ImportReport report;
    if (!ImportShipInteriorHelper(theShipRef, theInteriorCell, folder, *fileName, input.settings, error, report,
                                  files)) {
        ExplainImportFailure(error);
        PrintCommandFailure(kImportShipInteriorPrefix, kNotImportedText, error);
        return false;
    }
    PrintImportReport(kImportedLine, report);
    return true;
}

const CommandWork kImportShipInteriorWork{kImportShipInteriorPrefix, &ImportFromConsole, kNotImportedText};

}  // namespace Corvanis
