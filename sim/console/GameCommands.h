// The game's own console commands (help, sim.*, and those the loader adds).
// Each is a real entry of the console-command table whose handler calls the
// command's function with the text after the command word.
#pragma once

#include <string>
#include <vector>

#include "sim/Game.h"

namespace sim {

struct GameCommandDef {
    std::string name;
    std::string help;
    GameCommandHandler handler;
};

const std::vector<GameCommandDef>& GameCommandRegistry();
// A command of the same name is replaced.
void RegisterGameCommand(const std::string& name, const std::string& help, GameCommandHandler handler);

// help and the sim.* commands.
void RegisterBuiltInCommands();

}  // namespace sim
