// Where the built programs and the project's files are. The build passes
// them as absolute paths of the build machine.
#pragma once

#include <filesystem>
#include <string>

namespace e2e {

std::filesystem::path VeltraneExecutable();
std::filesystem::path CorvanisModule();
// corvanis-blueprint, as the build made it.
std::filesystem::path BlueprintToolProgram();
std::filesystem::path ExamplesFolder();
// Files the tests compare their results with (tests/e2e/expected).
std::filesystem::path ExpectedFolder();
// A plug-in built for the tests, by its target name ("recorder").
std::filesystem::path TestPlugin(const std::string& name);

// The file name a plug-in module has on this platform: "recorder.so" or
// "recorder.dll".
std::string PluginFileName(const std::string& name);

}  // namespace e2e
