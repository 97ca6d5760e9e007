// Skeleton: replaced by the simulated game.
#include "sim/Game.h"

#include <cstdio>

namespace sim {

bool LoadWorld(const std::string& path, std::string& error) {
    error = path + ": the simulated world is not built yet";
    return false;
}

bool DumpWorld(const std::string& path, std::string& error) {
    error = path + ": the simulated world is not built yet";
    return false;
}

void PrintConsoleLine(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void RunConsoleLine(const std::string& line) { PrintConsoleLine("Unknown command: " + line); }

void AddGameCommand(const std::string&, const std::string&, GameCommandHandler) {}

}  // namespace sim
