#include "export/ExportShip.h"

#include <string_view>

#include "export/ExportErrorInfo.h"
#include "export/WriteShipBlueprint.h"
#include "format/BlueprintFileName.h"
#include "host/host.h"
#include "host/layouts/DataFiles.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

namespace {

constexpr const char* kNotExportedText = "ship couldn't be exported.";

// What the export refuses, and why in a player's words.
constexpr Refusal kNotInShip{"Player is not in the ship.",
                             "board the ship you want to export and stand inside it, then export again"};
constexpr const char* kNoShipFormReason =
    "the game gives no ship form for the ship you are in, so it cannot be exported: export another ship";
constexpr Refusal kNoShipBase{"ShipBase is nullptr.", kNoShipFormReason};
constexpr Refusal kShipBaseOfOtherType{"ShipBase is not QRNGenericBaseForm | FormType: ", kNoShipFormReason};
constexpr Refusal kNoParentCell{"ParentCell is nullptr",
                                "the game does not say where you stand: go into the ship's interior and export again"};
constexpr const char* kFileExistsReason =
    "an export never replaces a file: choose another name, or move the old file out of the Spaceships folder";
constexpr Refusal kFileExists{"file already exists at [", kFileExistsReason};

// Why the exporter stopped, by the start of its error text; a text none
// starts with is a section's stop, or a form missing before the writing.
struct FailureReason {
    std::string_view textStart;
    const char* reason;
};
constexpr FailureReason kFailureReasons[] = {
    {"Blueprint write error: file already exists", kFileExistsReason},
    {"Blueprint write error:",
     "the blueprint file could not be written: the name may be a folder's or too long, or the Spaceships folder "
     "cannot be written; choose another name, or free the folder"},
    {"theInteriorCell", "you are not inside the ship: go into its interior and export again"},
    {"theShipForm", kNoShipFormReason},
};
constexpr const char* kSectionStopReason =
    "the ship holds something no blueprint can be written from, as the text above names it, so nothing was "
    "written";
constexpr const char* kMissingGameFormReason =
    "the game's data files lack a form every export needs, so no ship can be exported with them";

std::string ExportFailureReason(const ExportErrorInfo& error) {
    for (const FailureReason& entry : kFailureReasons) {
        if (error.sExtraErrorText.starts_with(entry.textStart)) return entry.reason;
    }
    return error.sPhase == "preparing to export ship" ? kMissingGameFormReason : kSectionStopReason;
}

// The file as a player finds it from the plug-ins' folder:
// "Spaceships\Mk2; Rebirth.txt".
std::string WrittenFileText(const std::string& folder, const std::string& fileName) {
    constexpr std::string_view kPluginsFolder = ".\\Data\\ORBX\\Plugins\\";
    const std::string_view shown = std::string_view(folder).starts_with(kPluginsFolder)
                                       ? std::string_view(folder).substr(kPluginsFolder.size())
                                       : std::string_view(folder);
    return std::string(shown) + fileName;
}

// From the game's console, blueprints go into the game's Spaceships folder.
bool ExportShipFromConsole(const CommandInput& input) {
    return RunExportShip(input, kSpaceshipsFolder, platform::SystemFiles());
}

}  // namespace

bool RunExportShip(const CommandInput& input, const std::string& folder, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    // The game reads the player it is handed: without one there is no ship.
    host::Form* theShipRef = player != nullptr ? game.GetShipPlayerIsIn(player, true, nullptr, nullptr) : nullptr;
    if (theShipRef == nullptr) {
        PrintCommandRefusal(kExportShipPrefix, kNotInShip);
        return false;
    }
    const host::Form* shipBase = game.RefGetBaseObject(theShipRef);
    if (shipBase == nullptr) {
        PrintCommandRefusal(kExportShipPrefix, kNoShipBase);
        return false;
    }
    if (const std::uint8_t type = game.FormGetStoredType(shipBase); type != veltrane::kFormTypeGenericBaseForm) {
        PrintCommandRefusal(kExportShipPrefix, kShipBaseOfOtherType,
                            kShipBaseOfOtherType.text + std::to_string(type));
        return false;
    }
    host::Form* theInteriorCell = game.RefGetParentCell(player);
    if (theInteriorCell == nullptr) {
        PrintCommandRefusal(kExportShipPrefix, kNoParentCell);
        return false;
    }

    // The file that would be written is the one that must not exist.
    const std::string fileName = input.blueprintName + kBlueprintExtension;
    const std::string writtenName = SanitizeBlueprintFileName(fileName);
    if (RegularFileExists(folder, writtenName, files)) {
        PrintCommandRefusal(kExportShipPrefix, kFileExists, kFileExists.text + folder + writtenName + "].");
        return false;
    }

    ExportErrorInfo error;
    if (WriteShipBlueprint(theShipRef, theInteriorCell, folder, fileName, input.settings, error, files)) {
        PrintCommandInfo(kExportShipPrefix, "ship exported.");
        PrintCommandInfo(kExportShipPrefix, "written to " + WrittenFileText(folder, writtenName));
        return true;
    }
    error.sReason = ExportFailureReason(error);
    PrintCommandFailure(kExportShipPrefix, kNotExportedText, error);
    return false;
}

const CommandWork kExportShipWork{kExportShipPrefix, &ExportShipFromConsole, kNotExportedText};

}  // namespace Corvanis
