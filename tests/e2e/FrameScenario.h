// What the scenarios of the plug-in's frame share: small worlds with chosen
// command tables, the settings file, and rewriting that file while the game
// runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/Scenario.h"

namespace e2e {

// A world without a player whose command tables hold the given JSON entries.
std::string WorldWithTables(const std::string& scriptEntries, const std::string& consoleEntries,
                            const std::string& scriptFirstOpcode = "0x1000",
                            const std::string& consoleFirstOpcode = "0x100");

std::filesystem::path SettingsFile(const GameFolder& folder);
void WriteSettings(const GameFolder& folder, const std::string& bytes);


// Runs the game; once `marker` appears in the game folder (a console line
// writes it), the settings file is given `settings`. The lines after the
// marker must leave the rewrite time to land (a `sim.wait`).
ProcessResult RunRewritingSettings(const GameFolder& folder, const std::vector<std::string>& arguments,
                                   const std::string& marker, const std::string& settings);

}  // namespace e2e
