// veltrane: the simulated game and its script-extender loader. It boots as
// the game does: plug-ins first, then the world, then the console.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "sim/Game.h"
#include "sim/launcher/CommandLine.h"
#include "sim/launcher/ConsoleInput.h"
#include "sim/launcher/StdinIsTerminal.h"
#include "sim/loader/Loader.h"
#include "sim/loader/LoaderCommands.h"
#include "sim/loader/PluginFiles.h"

namespace {

namespace fs = std::filesystem;
using sim::launcher::Options;

constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;

void PrintError(const std::string& text) {
    const std::string line = "veltrane: " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

int BadArguments(const std::string& text) {
    PrintError(text);
    std::fprintf(stderr, "%s\n", sim::launcher::kUsageLine);
    return kExitBadInput;
}

// Relative paths of the command line name files in the start folder, which
// stops being the working folder once the game enters its game folder.
void MakePathsAbsolute(Options& options) {
    if (options.world) options.world = fs::absolute(*options.world);
    if (options.dump) options.dump = fs::absolute(*options.dump);
    for (fs::path& plugin : options.plugins) plugin = fs::absolute(plugin);
}

// The game's working folder is its game folder: plug-ins open their files by
// paths relative to it.
bool EnterGameFolder(const fs::path& folder, std::string& problem) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        problem = "game folder " + folder.string() + " does not exist";
        return false;
    }
    fs::current_path(folder, error);
    if (error) {
        problem = "cannot enter game folder " + folder.string() + ": " + error.message();
        return false;
    }
    return true;
}

void RunConsole(const Options& options, const std::vector<std::string>& scriptLines) {
    if (options.runLines.empty() && !options.script) {
        sim::launcher::RunInteractiveConsole(std::cin, sim::launcher::StdinIsTerminal());
        return;
    }
    if (sim::launcher::RunConsoleLines(options.runLines)) sim::launcher::RunConsoleLines(scriptLines);
}

int RunGame(Options& options) {
    std::vector<std::string> scriptLines;
    if (options.script && !sim::launcher::ReadScript(*options.script, scriptLines)) {
        return BadArguments("cannot read script file " + options.script->string());
    }
    MakePathsAbsolute(options);
    if (std::string problem; !EnterGameFolder(options.gameDir.value_or("."), problem)) {
        return BadArguments(problem);
    }

    sim::loader::Loader loader;
    sim::loader::AddLoaderCommands(loader);
    std::vector<fs::path> plugins = sim::loader::FindPluginFiles(fs::path("Data") / "ORBX" / "Plugins");
    plugins.insert(plugins.end(), options.plugins.begin(), options.plugins.end());
    loader.LoadPlugins(plugins);
    loader.DeliverMessage(orbx::kMessagePostLoad);
    loader.DeliverMessage(orbx::kMessagePostPostLoad);

    std::string error;
    if (options.world && !sim::LoadWorld(options.world->string(), error)) {
        PrintError(error);
        return kExitBadInput;
    }
    loader.DeliverMessage(orbx::kMessageDataLoaded);

    RunConsole(options, scriptLines);

    if (options.dump && !sim::DumpWorld(options.dump->string(), error)) {
        PrintError(error);
        return kExitFailure;
    }
    sim::QuitGame();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!sim::launcher::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        return BadArguments(error);
    }
    if (options.help) {
        std::fputs(sim::launcher::HelpText().c_str(), stdout);
        return 0;
    }
    return RunGame(options);
}
