// The game's console commands of the loader: sim.plugins, which plug-ins the
// loader loaded, and sim.message, which sends one of the loader's messages
// again.
#pragma once

#include <string>
#include <vector>

#include "sim/loader/Loader.h"

namespace sim::loader {

// One line per plug-in whose load function was called, e.g.
// "Corvanis.so: Corvanis - ORBX Plugin by Pellimor 3.1", with " (inactive)"
// after one whose load function returned false.
std::vector<std::string> PluginListLines(const Loader& loader);

// Adds sim.plugins and sim.message to the game's console; the loader must
// outlive every console line run after it.
void AddLoaderCommands(const Loader& loader);

}  // namespace sim::loader
