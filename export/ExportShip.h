// The ExportShip console command: writes the ship the player stands in to a
// blueprint. Its messages carry the prefix "ExportShipRef".
#pragma once

#include <string>

#include "frame/commands/CommandWork.h"
#include "platform/platform.h"

namespace Corvanis {

constexpr const char* kExportShipPrefix = "ExportShipRef";

// The command's own work once the preamble has passed: checks the player's
// situation, refuses a blueprint that exists, exports into the folder and
// prints the outcome on the game console. True when the ship was exported.
bool RunExportShip(const CommandInput& input, const std::string& folder, platform::FileSystem& files);

// The command as the game's console runs it: blueprints go into the game's
// Spaceships folder.
extern const CommandWork kExportShipWork;

}  // namespace Corvanis
