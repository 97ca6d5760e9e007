// Which files in the game's plug-in folder are plug-ins.
#pragma once

#include <filesystem>
#include <vector>

namespace sim::loader {

// The plug-in modules in the folder (*.so on Linux, *.dll on Windows, any
// case), in the byte order of their file names. Sub-folders and other files
// are not plug-ins; a missing folder holds none.
std::vector<std::filesystem::path> FindPluginFiles(const std::filesystem::path& folder);

}  // namespace sim::loader
