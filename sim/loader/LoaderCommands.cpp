#include "sim/loader/LoaderCommands.h"

#include <charconv>
#include <cstdint>

#include "sim/Game.h"
#include "sim/console/commands/CommandGroups.h"

namespace sim::loader {

namespace {

constexpr const char* kMessageUsage = "Usage: sim.message TYPE";

void ListPlugins(const Loader& loader) {
    for (const std::string& line : PluginListLines(loader)) sim::PrintConsoleLine(line);
}

// A loader may send a message more than once (the data-loaded message on a
// second load, for one); plug-ins must bear it.
void SendLoaderMessage(const Loader& loader, const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, kMessageUsage);
    if (!words) return;
    const std::string& text = words->front();
    std::uint32_t type = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), type);
    if (error != std::errc() || end != text.data() + text.size()) {
        sim::PrintConsoleLine(kMessageUsage);
        return;
    }
    loader.DeliverMessage(type);
    sim::PrintConsoleLine("Loader message " + std::to_string(type) + " sent");
}

}  // namespace

std::vector<std::string> PluginListLines(const Loader& loader) {
    std::vector<std::string> lines;
    for (const Plugin& plugin : loader.Plugins()) {
        lines.push_back(plugin.fileName + ": " + plugin.title + (plugin.active ? "" : " (inactive)"));
    }
    if (lines.empty()) lines.push_back("No plug-ins loaded");
    return lines;
}

void AddLoaderCommands(const Loader& loader) {
    sim::AddGameCommand("sim.plugins", "Lists the loaded plug-ins",
                        [&loader](const std::string&) { ListPlugins(loader); });
    sim::AddGameCommand("sim.message", "Sends a loader message to the plug-ins again: sim.message TYPE",
                        [&loader](const std::string& arguments) { SendLoaderMessage(loader, arguments); });
}

}  // namespace sim::loader
