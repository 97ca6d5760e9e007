// What the loader's call told the plug-in about itself and the game.
#pragma once

#include <cstdint>

#include "frame/commands/CommandTable.h"
#include "host/loader_interface.h"

namespace Corvanis {

struct PluginState {
    orbx::PluginHandle handle = 0;           // the loader's name for this plug-in
    std::uintptr_t gameBase = 0;             // where the game's main module is mapped
    const CommandTable* commands = nullptr;  // the console commands to install
};

// Filled by ORBXPlugin_Load; empty before.
extern PluginState g_plugin;

}  // namespace Corvanis
