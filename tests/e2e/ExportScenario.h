// Running exports in the game: a game folder with the plug-in installed, a
// world, and console lines.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/Scenario.h"

namespace e2e {


// Runs the game on the world text (written beside the game folder) with one
// `--run` for each console line, and gives the console's lines without the
// plug-in's load line.
Lines RunWorld(const GameFolder& folder, const std::string& worldText, const std::vector<std::string>& console);
Lines RunWorldFile(const GameFolder& folder, const std::filesystem::path& world,
                   const std::vector<std::string>& console);

// The command's echo and the lines of an export that wrote the file of this
// name into the Spaceships folder.
Lines Exported(const std::string& command, const std::string& fileName);

// The lines without those that start with the prefix.
Lines Without(const Lines& lines, const std::string& prefix);

}  // namespace e2e
