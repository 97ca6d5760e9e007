// The start-up of the loader's call into the plug-in.
#pragma once

#include <cstdint>

#include "frame/commands/CommandTable.h"
#include "host/loader_interface.h"
#include "platform/platform.h"

namespace Corvanis {

// The start-up of ORBXPlugin_Load with the game base, the memory it searches
// for the trampoline and the console commands to install given. Ends the
// process through the fatal report when the game cannot be used or no
// trampoline can be reserved. False when the loader offers no messaging,
// without which the plug-in never hears that the game's data is loaded.
bool LoadPlugin(const orbx::LoadInterface* loader, std::uintptr_t gameBase, platform::MemorySystem& memory,
                const CommandTable& commands);

}  // namespace Corvanis
