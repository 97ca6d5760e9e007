// A scenario as a player lives it, run on one build in a game folder of its
// own: one or more runs of the game, each on a world (the one before's dump,
// or a world file), and what each leaves: its console transcript, its exit
// code, the world dump, and every file of the game's Data folder.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/parity/GameBuild.h"

namespace parity {

struct Step {
    // The world file's text; empty for the dump the run before wrote.
    std::string world;
    // Files written before the game starts, by their path under the game
    // folder ('/' between names).
    std::vector<std::pair<std::string, std::string>> files;
    // The console lines. Given the game folder, for lines that name a file
    // an earlier run made.
    std::function<std::vector<std::string>(const std::filesystem::path& game)> console;
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

// The console lines as they are.
std::function<std::vector<std::string>(const std::filesystem::path&)> ConsoleLines(std::vector<std::string> lines);

// What the runs left, by "run N console", "run N exit code", "run N errors",
// "run N dump" and "run N file PATH".
using Results = std::map<std::string, std::string>;

Results RunScenario(const Scenario& scenario, const GameBuild& build);

}  // namespace parity
