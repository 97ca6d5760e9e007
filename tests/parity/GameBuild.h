// A build of the game and the plug-in to run scenarios on: the Linux build
// these tests belong to, or the Windows build of the same sources, run under
// Wine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/harness/Process.h"

namespace parity {

struct GameBuild {
    std::string name;
    std::filesystem::path veltrane;
    std::filesystem::path corvanis;
    // The program that runs veltrane (Wine), or empty when it runs itself.
    std::filesystem::path launcher;

    // Runs veltrane started in the folder, with the arguments.
    e2e::ProcessResult Run(const std::filesystem::path& startFolder, const std::vector<std::string>& arguments) const;
};

GameBuild LinuxBuild();

// The Windows build in the folder the build was configured with
// (CORVANIS_WINDOWS_BUILD), or the reason it cannot run.
bool FindWindowsBuild(GameBuild& build, std::string& missing);

}  // namespace parity
