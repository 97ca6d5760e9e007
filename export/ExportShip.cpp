#include "export/ExportShip.h"

#include "export/ExportErrorInfo.h"
#include "export/WriteShipBlueprint.h"
#include "format/BlueprintFileName.h"
#include "host/host.h"
#include "host/layouts/DataFiles.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

namespace {

constexpr const char* kNotExportedText = "ship couldn't be exported.";

void PrintError(const std::string& text) { PrintCommandError(kExportShipPrefix, text); }

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
        PrintError("Player is not in the ship.");
        return false;
    }
    const host::Form* shipBase = game.RefGetBaseObject(theShipRef);
    if (shipBase == nullptr) {
        PrintError("ShipBase is nullptr.");
        return false;
    }
    if (const std::uint8_t type = game.FormGetStoredType(shipBase); type != veltrane::kFormTypeGenericBaseForm) {
        PrintError("ShipBase is not QRNGenericBaseForm | FormType: " + std::to_string(type));
        return false;
    }
    host::Form* theInteriorCell = game.RefGetParentCell(player);
    if (theInteriorCell == nullptr) {
        PrintError("ParentCell is nullptr");
        return false;
    }

    // The file that would be written is the one that must not exist.
    const std::string fileName = input.blueprintName + kBlueprintExtension;
    const std::string writtenName = SanitizeBlueprintFileName(fileName);
    if (RegularFileExists(folder, writtenName, files)) {
        PrintError("file already exists at [" + folder + writtenName + "].");
        return false;
    }

    ExportErrorInfo error;
    if (WriteShipBlueprint(theShipRef, theInteriorCell, folder, fileName, input.settings, error, files)) {
        PrintCommandInfo(kExportShipPrefix, "ship exported.");
        return true;
    }
    PrintCommandFailure(kExportShipPrefix, kNotExportedText, error);
    return false;
}

const CommandWork kExportShipWork{kExportShipPrefix, &ExportShipFromConsole, kNotExportedText};

}  // namespace Corvanis
