// The loader's entry into the plug-in.
#pragma once

#include <cstdint>

#include "frame/Export.h"
#include "host/loader_interface.h"
#include "platform/platform.h"

namespace Corvanis {

// The start-up of ORBXPlugin_Load with the game base and the memory it
// searches for the trampoline given. Ends the process through the fatal
// report when the game cannot be used or no trampoline can be reserved. False
// when the loader offers no messaging, without which the plug-in never hears
// that the game's data is loaded.
bool LoadPlugin(const orbx::LoadInterface* loader, std::uintptr_t gameBase, platform::MemorySystem& memory);

}  // namespace Corvanis

extern "C" {
CORVANIS_EXPORT bool ORBXPlugin_Load(const orbx::LoadInterface* loader);
}
