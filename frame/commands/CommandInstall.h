// Installing the console commands the plug-in was loaded with. The game has
// no call for adding commands, so they take over free placeholder entries of
// its own command tables.
#pragma once

#include <cstdint>

#include "host/layouts/CommandTables.h"

namespace Corvanis {

// Installs every command of the start-up state's table not installed yet.
// True when all of them are installed, now or before. A call after five
// failed ones ends the process through the fatal report.
bool InstallCommands();

bool AllCommandsInstalled();

// The first entry from `table` on, while the opcode stays below `opcodeBound`,
// that has a long name and the game's placeholder handler; null when there
// is none.
veltrane::CommandEntry* FindFreeSlot(veltrane::CommandEntry* table, std::uint32_t opcodeBound,
                                     veltrane::CommandExecuteFn placeholderHandler);

}  // namespace Corvanis
