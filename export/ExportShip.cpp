#include "export/ExportShip.h"

#include "export/BlueprintFileName.h"
#include "export/ExportErrorInfo.h"
#include "export/WriteShipBlueprint.h"
#include "frame/CommandHandlers.h"
#include "frame/FileExists.h"
#include "host/host.h"

namespace Corvanis {

namespace {

void PrintError(const std::string& text) { PrintCommandError(kExportShipPrefix, text); }

}  // namespace

bool RunExportShip(const CommandInput& input, const std::string& folder, platform::FileSystem& files) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    host::Form* theShipRef = game.GetShipPlayerIsIn(player, true, nullptr, nullptr);
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
    if (RegularFileExists(folder, writtenName)) {
        PrintError("file already exists at [" + folder + writtenName + "].");
        return false;
    }

    ExportErrorInfo error;
    if (WriteShipBlueprint(theShipRef, theInteriorCell, folder, fileName, input.settings, error, files)) {
        PrintCommandInfo(kExportShipPrefix, "ship exported.");
        return true;
    }
    PrintError("ship couldn't be exported.");
    host::PrintConsole(ErrorPhaseLine(error.sPhase, error.sExtraErrorText).c_str());
    return false;
}

bool ExportShipHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject, void* script,
                       void* locals, void* result, void* opcodeOffset) {
    // Nothing may unwind into the game's console.
    try {
        const CommandArguments arguments{parameters, scriptData, thisObject, containingObject,
                                         script,     locals,     result,     opcodeOffset};
        CommandInput input;
        if (!RunCommandPreamble(kExportShipPrefix, arguments, input)) return false;
        return RunExportShip(input, kSpaceshipsFolder, platform::SystemFiles());
    } catch (...) {
        try {
            PrintError("ship couldn't be exported.");
        } catch (...) {
        }
        return false;
    }
}

}  // namespace Corvanis
