// The ImportShipInterior console command: places the decoration items of a
// blueprint in the interior of the ship the player is aboard. Its messages
// carry the prefix "ImportShipInterior".
#pragma once

#include <string>

#include "frame/commands/CommandWork.h"
#include "host/host.h"
#include "import/ImportErrorInfo.h"
#include "import/ImportReport.h"
#include "platform/platform.h"

namespace Corvanis {

constexpr const char* kImportShipInteriorPrefix = "ImportShipInterior";

// Imports the blueprint folder + fileName (joined as they are; the folder
// is the Spaceships folder, whose Backups folder gets the backup) into the
// interior cell of the ship reference. The blueprint is read whole and every
// decoration line accepted before anything in the game changes; then the
// items the settings let through (every item of an interior backup) are
// created, the interior's items that the import removes are saved to a
// backup together with what it placed, and only then are they removed.
// True when the interior was imported: `report` then holds what to tell the
// player, the backup's line included. False, with the phase and the reason
// in `error`, when the interior was left as it was.
bool ImportShipInteriorHelper(host::Form* theShipRef, host::Form* theInteriorCell, const std::string& folder,
                              const std::string& fileName, SettingsFlags settings, ImportErrorInfo& error,
                              ImportReport& report, platform::FileSystem& files = platform::SystemFiles());

// The command's own work once the preamble has passed: checks the player's
// situation, finds the blueprint in the folder, imports it and prints the
// outcome on the game console. True when the interior was imported.
bool RunImportShipInterior(const CommandInput& input, const std::string& folder, platform::FileSystem& files);

// The command as the game's console runs it, on the game's Spaceships folder.
extern const CommandWork kImportShipInteriorWork;

}  // namespace Corvanis
