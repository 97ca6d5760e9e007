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

// A new settings file for once `marker` appears in the game folder (a
// console line writes it).
struct SettingsRewrite {
    std::string marker;
    std::string settings;
};

// Runs the game and rewrites the settings file as each marker appears, in
// order. The lines after a marker must leave the rewrite time to land (a
// `sim.wait`).
ProcessResult RunRewritingSettings(const GameFolder& folder, const std::vector<std::string>& arguments,
                                   const std::vector<SettingsRewrite>& rewrites);
ProcessResult RunRewritingSettings(const GameFolder& folder, const std::vector<std::string>& arguments,
                                   const std::string& marker, const std::string& settings);

}  // namespace e2e
