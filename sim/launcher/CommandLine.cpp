#include "sim/launcher/CommandLine.h"

namespace sim::launcher {

const char* const kUsageLine =
    "usage: veltrane [--world FILE] [--game-dir DIR] [--plugin FILE]... [--run LINE]... "
    "[--script FILE] [--dump FILE]";

std::string HelpText() {
    return std::string(kUsageLine) + "\n" +
           "Runs the simulated game with the plug-ins in DIR/Data/ORBX/Plugins.\n"
           "  --world FILE     start with the world in FILE instead of the game's default world\n"
           "  --game-dir DIR   the game folder and working folder (default: the current folder)\n"
           "  --plugin FILE    also load this plug-in, after those of the game folder\n"
           "  --run LINE       run a console line; several run in order\n"
           "  --script FILE    then run the console lines in FILE ('#' starts a comment line)\n"
           "  --dump FILE      write the world to FILE when the console ends\n"
           "  --help           show this text\n"
           "Without --run and --script the console reads standard input until end of input,\n"
           "quit or exit.\n";
}

namespace {

bool SetOnce(std::optional<std::filesystem::path>& target, const std::string& option,
             const std::string& value, std::string& error) {
    if (target) {
        error = option + " given twice";
        return false;
    }
    target = value;
    return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help") {
            options.help = true;
            continue;
        }
        if (option != "--world" && option != "--game-dir" && option != "--plugin" && option != "--run" &&
            option != "--script" && option != "--dump") {
            error = option.starts_with("-") ? "unknown option " + option : "unexpected argument " + option;
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        if (option == "--world") {
            if (!SetOnce(options.world, option, value, error)) return false;
        } else if (option == "--game-dir") {
            if (!SetOnce(options.gameDir, option, value, error)) return false;
        } else if (option == "--plugin") {
            options.plugins.emplace_back(value);
        } else if (option == "--run") {
            options.runLines.push_back(value);
        } else if (option == "--script") {
            if (!SetOnce(options.script, option, value, error)) return false;
        } else if (!SetOnce(options.dump, option, value, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace sim::launcher
