#include "tests/e2e/harness/Paths.h"

#include <algorithm>

namespace e2e {

namespace {

// Under Wine the Linux file system is drive Z:, and the build's paths are
// Linux paths.
std::filesystem::path BuildMachinePath(std::string path) {
#if defined(_WIN32)
    if (path.starts_with("/")) {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
#endif
    return path;
}

}  // namespace

std::filesystem::path VeltraneExecutable() { return BuildMachinePath(CORVANIS_E2E_VELTRANE); }

std::filesystem::path CorvanisModule() { return BuildMachinePath(CORVANIS_E2E_CORVANIS); }

std::filesystem::path BlueprintToolProgram() { return BuildMachinePath(CORVANIS_E2E_BLUEPRINT_TOOL); }

std::filesystem::path ExamplesFolder() { return BuildMachinePath(CORVANIS_E2E_EXAMPLES); }

std::filesystem::path ExpectedFolder() { return BuildMachinePath(CORVANIS_E2E_EXPECTED); }

std::filesystem::path TestPlugin(const std::string& name) {
    return BuildMachinePath(CORVANIS_E2E_TEST_PLUGINS) / PluginFileName(name);
}

std::string PluginFileName(const std::string& name) {
#if defined(_WIN32)
    return name + ".dll";
#else
    return name + ".so";
#endif
}

}  // namespace e2e
