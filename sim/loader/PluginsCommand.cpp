#include "sim/loader/PluginsCommand.h"

#include "sim/Game.h"

namespace sim::loader {

std::vector<std::string> PluginListLines(const Loader& loader) {
    std::vector<std::string> lines;
    for (const Plugin& plugin : loader.Plugins()) {
        lines.push_back(plugin.fileName + ": " + plugin.title + (plugin.active ? "" : " (inactive)"));
    }
    if (lines.empty()) lines.push_back("No plug-ins loaded");
    return lines;
}

void AddPluginsCommand(const Loader& loader) {
    sim::AddGameCommand("sim.plugins", "Lists the loaded plug-ins", [&loader](const std::string&) {
        for (const std::string& line : PluginListLines(loader)) sim::PrintConsoleLine(line);
    });
}

}  // namespace sim::loader
