// The groups of the game's own console commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sim {

void RegisterHelpCommand();
// Commands that show the world: files, forms, ships, components, cells, the
// player, command tables, memory.
void RegisterInspectionCommands();
// Commands that change the situation: boarding, time passing, readiness,
// free command slots, dumps, the piloting check.
void RegisterStagingCommands();

// The arguments of a game command; prints the usage line and gives none when
// their number is not between `least` and `most`.
std::optional<std::vector<std::string>> CommandArguments(const std::string& text, std::size_t least,
                                                         std::size_t most, const std::string& usage);

}  // namespace sim
