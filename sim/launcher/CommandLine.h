// veltrane's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim::launcher {

// Paths stand as given: relative ones are taken from the folder veltrane
// was started in.
struct Options {
    std::optional<std::filesystem::path> world;
    std::optional<std::filesystem::path> gameDir;  // the current folder when absent
    std::vector<std::filesystem::path> plugins;
    std::vector<std::string> runLines;
    std::optional<std::filesystem::path> script;
    std::optional<std::filesystem::path> dump;
    bool help = false;
};

extern const char* const kUsageLine;

// The usage line and what each option does.
std::string HelpText();

// False with the reason in `error` for an unknown option, an option given
// twice that takes one value, a missing value or a stray argument.
bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error);

}  // namespace sim::launcher
