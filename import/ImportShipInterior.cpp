#include "import/ImportShipInterior.h"

#include <optional>
#include <string>
#include <vector>

#include "export/BlueprintFileName.h"
#include "export/DecorationItems.h"
#include "export/ShipBlueprintFile.h"
#include "forms/DescribeForm.h"
#include "frame/FileExists.h"
#include "import/BlueprintLookup.h"
#include "import/ClosestWorkshop.h"
#include "import/DecorPlacement.h"
#include "import/GameFormResolver.h"
#include "import/InteriorClearing.h"
#include "import/reading/BlueprintFile.h"
#include "import/reading/InteriorReader.h"

namespace Corvanis {

namespace {

constexpr const char* kNotImportedText = "ship interior couldn't be imported.";

bool Fail(ImportErrorInfo& error, std::string text) {
    error.sExtraErrorText = std::move(text);
    return false;
}

// Reads every line; false at the first the reader refuses.
bool ReadDecorItems(const BlueprintFile& file, std::vector<DecorItemRecord>& items, ImportErrorInfo& error) {
    GameFormResolver forms;
    InteriorReader reader(forms, items);
    for (const BlueprintLine& line : file.Lines()) {
        if (reader.ReadLine(line, error) == LineVerdict::Refused) return false;
    }
    return true;
}

bool IsKeyword(const host::Form* form) {
    return form != nullptr && host::Game().FormQueryType(form) == veltrane::kFormTypeKeyword;
}

// Places the items and clears what they replace. Nothing is removed until
// every item stands; when one cannot be placed, those placed are removed
// again and the interior is as it was.
bool PlaceItems(const std::vector<DecorItemRecord>& items, host::Form* theInteriorCell, host::Form* closestWorkshop,
                const WorkshopKeywords& keywords, const ImportSettings& settings, ImportErrorInfo& error) {
    error.sPhase = "importing DecorItems";
    const std::vector<ReferenceToClear> cleared = DecideClearing(theInteriorCell, keywords, settings);
    std::vector<PlacedDecorItem> placed;
    if (!CreateDecorItems(items, theInteriorCell, settings, placed, error)) return false;
    Clear(cleared);
    FinishDecorItems(placed, closestWorkshop, keywords.workshopItem);
    return true;
}

bool ImportFromConsole(const CommandInput& input) {
    return RunImportShipInterior(input, kSpaceshipsFolder, platform::SystemFiles());
}

}  // namespace

bool ImportShipInteriorHelper(host::Form* theShipRef, host::Form* theInteriorCell, const std::string& folder,
                              const std::string& fileName, SettingsFlags settings, ImportErrorInfo& error,
                              ShipBackup& backup, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    error.sPhase = "preparing to import ship interior";
    if (theShipRef == nullptr) return Fail(error, "theShipRef is nullptr");
    if (theInteriorCell == nullptr) return Fail(error, "theInteriorCell is nullptr");
    if (!game.CellIsInterior(theInteriorCell)) {
        return Fail(error, "theInteriorCell " + DescribeForm(theInteriorCell) + " is not interior");
    }
    const WorkshopKeywords keywords{*game.workshopKeyword, *game.workshopItemKeyword};
    if (!IsKeyword(keywords.workshop)) return Fail(error, "WorkshopKeyword is nullptr or not QRNKeyword");
    if (!IsKeyword(keywords.workshopItem)) return Fail(error, "WorkshopItemKeyword is nullptr or not QRNKeyword");
    host::Form* closestWorkshop = FindClosestWorkshop(keywords.workshop);
    if (closestWorkshop == nullptr) return Fail(error, "ClosestWorkshopRef is nullptr");
    if (!RegularFileExists(folder, fileName)) {
        return Fail(error, "Blueprint file [" + fileName + "] at path [" + folder + "] does not exist");
    }
    BlueprintFile file(files);
    if (std::string readError; !file.Open(folder, fileName, readError)) return Fail(error, readError);
    std::vector<DecorItemRecord> items;
    if (!ReadDecorItems(file, items, error)) return false;

    // The import is accepted: the interior as it stands is saved first, with
    // every item the clearing may remove.
    backup = BackUpShip(ShipOfReference(theShipRef),
                        SelectCarriableItems(theInteriorCell, keywords.workshop, keywords.workshopItem), folder,
                        " before interior import ", files);
    if (backup.result == BackupResult::Refused) {
        error.sPhase = "backing up the ship interior";
        return Fail(error, backup.errorText);
    }
    if (!PlaceItems(items, theInteriorCell, closestWorkshop, keywords, settings.importSettings, error)) {
        RemoveBackup(backup, folder, files);
        return false;
    }
    return true;
}

bool RunImportShipInterior(const CommandInput& input, const std::string& folder, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    host::Form* theShipRef = player != nullptr ? game.GetShipPlayerIsIn(player, true, nullptr, nullptr) : nullptr;
    if (theShipRef == nullptr) {
        PrintCommandError(kImportShipInteriorPrefix, "Player is not in the ship.");
        return false;
    }
    host::Form* theInteriorCell = game.RefGetParentCell(player);
    if (theInteriorCell == nullptr) {
        PrintCommandError(kImportShipInteriorPrefix, "ParentCell is nullptr");
        return false;
    }
    const std::string typedName = input.blueprintName + kBlueprintExtension;
    const std::optional<std::string> fileName = FindBlueprintFile(folder, typedName);
    if (!fileName) {
        PrintCommandError(kImportShipInteriorPrefix, "no file exists at [" + folder + typedName + "]");
        return false;
    }

    ImportErrorInfo error;
    ShipBackup backup;
    if (!ImportShipInteriorHelper(theShipRef, theInteriorCell, folder, *fileName, input.settings, error, backup,
                                  files)) {
        PrintCommandError(kImportShipInteriorPrefix, kNotImportedText);
        host::PrintConsole(ErrorPhaseLine(error.sPhase, error.sExtraErrorText).c_str());
        return false;
    }
    PrintCommandInfo(kImportShipInteriorPrefix, "ship interior successfully imported.");
    PrintBackupLine(kImportShipInteriorPrefix, "interior", backup);
    return true;
}

const CommandWork kImportShipInteriorWork{kImportShipInteriorPrefix, &ImportFromConsole, kNotImportedText};

}  // namespace Corvanis
