// The ImportShipLayout console command: rebuilds the player's home ship from a
// blueprint. Its messages carry the prefix "ImportShipLayout".
#pragma once

#include <string>

#include "frame/commands/CommandWork.h"
#include "platform/platform.h"

namespace Corvanis {

constexpr const char* kImportShipLayoutPrefix = "ImportShipLayout";

// The command's own work once the preamble has passed: checks that the home
// ship may be changed, finds the blueprint in the folder, imports it and
// prints the outcome on the game console. True when the layout was imported.
bool RunImportShipLayout(const CommandInput& input, const std::string& folder, platform::FileSystem& files);

// The command as the game's console runs it: blueprints come from the game's
// Spaceships folder.
extern const CommandWork kImportShipLayoutWork;

}  // namespace Corvanis
