#include "plugin/PluginEntry.h"

#include "frame/startup/PluginLoad.h"
#include "platform/platform.h"
#include "plugin/PluginCommands.h"

extern "C" bool ORBXPlugin_Load(const orbx::LoadInterface* loader) {
    // Nothing may unwind into the loader.
    try {
        return Corvanis::LoadPlugin(loader, platform::MainModuleBase(), platform::SystemMemory(),
                                    Corvanis::PluginCommands());
    } catch (...) {
        return false;
    }
}
