// Runs the probe programs that sit beside the unit tests and collects what
// they leave behind.
#pragma once

#include <string>
#include <vector>

namespace corvanis_test {

struct ChildResult {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// The folder that holds the running test executable, with a trailing
// separator.
std::string TestBinaryFolder();

// The probe with the plug-in's code linked in, for scenarios named by the
// first argument.
constexpr const char* kPluginProbe = "corvanis_probe";
// The loader probe, which loads the built module.
constexpr const char* kLoaderProbe = "corvanis_loader_probe";

// Runs the probe with the arguments and waits for it to end.
ChildResult RunProbe(const char* probe, const std::vector<std::string>& arguments);

// The path of the built plug-in module, in the spelling the probe's system
// calls expect.
std::string PluginModulePath();

}  // namespace corvanis_test
