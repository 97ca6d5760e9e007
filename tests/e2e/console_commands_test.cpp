// The plug-in's console commands: the table slots they take at start-up and
// the parameter checks every command makes first.
#include <gtest/gtest.h>

#include "tests/e2e/FrameScenario.h"

namespace e2e {
namespace {

const std::string kExportShipHelp = "ExportShip: Exports a Spaceship (implemented by Corvanis - ORBX Plugin by Pellimor)";
const std::string kImportShipLayoutHelp =
    "ImportShipLayout: Imports Spaceship layout (implemented by Corvanis - ORBX Plugin by Pellimor)";
const std::string kImportShipInteriorHelp =
    "ImportShipInterior: Imports Spaceship interior decoration items (implemented by Corvanis - ORBX Plugin by "
    "Pellimor)";

// The world's entries of the console-command table, in table order: the
// listing without the game's own commands, whose number changes as the game
// grows, and so without opcodes.
Lines WorldConsoleEntries(const Lines& out) {
    Lines entries;
    bool listing = false;
    for (const std::string& line : out) {
        if (line == "> sim.commands console") {
            listing = true;
        } else if (listing && line.starts_with("> ")) {
            listing = false;
        } else if (listing) {
            const std::string name = line.substr(line.find(' ') + 1);
            if (name != "help" && !name.starts_with("sim.")) entries.push_back(name);
        }
    }
    return entries;
}

class CommandSlots : public ::testing::Test {};

TEST_F(CommandSlots, TwoFreeScriptSlotsAndOneConsoleSlot_TakeExportAndLayoutInTheScriptTableAndInteriorInTheConsoleTable) {
    GameFolder folder;
    folder.InstallCorvanis();
    folder.WriteFile("world.json",
                     WorldWithTables(R"({"command": "GetPosition", "help": "Tells where"}, "unnamed", "free", "free")",
                                     R"("unnamed", "free")"));

    const ProcessResult result = folder.Run({"--world", "world.json", "--run", "sim.commands script", "--run",
                                             "sim.commands console", "--run", "help Ship", "--run", "sim.events"});

    const Lines out = result.OutLines();
    EXPECT_EQ(Lines(out.begin(), out.begin() + 8),
              (Lines{CorvanisLoadedLine(), "> sim.commands script", "0x1000 GetPosition", "0x1001 placeholder without a name",
                     "0x1002 ExportShip [plug-in]", "0x1003 ImportShipLayout [plug-in]", "0x13C0 end of table",
                     "> sim.commands console"}));
    EXPECT_EQ(WorldConsoleEntries(out),
              (Lines{"placeholder without a name", "ImportShipInterior [plug-in]", "end of table"}));
    EXPECT_EQ(LinesStartingWith(out, "Import"), (Lines{kImportShipInteriorHelp, kImportShipLayoutHelp}));
    EXPECT_EQ(LinesStartingWith(out, "Export"), Lines{kExportShipHelp});
    EXPECT_EQ(out.back(), "PlayerUpdateEvent sinks: 0");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(CommandSlots, AScriptTableThatStartsAtTheBound_IsNotScanned_AndAScanStopsAtTheBound) {
    GameFolder folder;
    folder.InstallCorvanis();
    folder.WriteFile("past.json", WorldWithTables(R"("free", "free", "free")", R"("free", "free", "free", "free")",
                                                  "0x13C0"));
    folder.WriteFile("bound.json", WorldWithTables(R"("free", "free")", R"("free", "free", "free")", "0x13BF"));

    const ProcessResult past =
        folder.Run({"--world", "past.json", "--run", "sim.commands script", "--run", "sim.commands console"});
    const ProcessResult bound =
        folder.Run({"--world", "bound.json", "--run", "sim.commands script", "--run", "sim.commands console"});

    EXPECT_EQ(LinesStartingWith(past.OutLines(), "0x13"),
              (Lines{"0x13C0 free placeholder", "0x13C1 free placeholder", "0x13C2 free placeholder",
                     "0x13C3 end of table"}));
    EXPECT_EQ(WorldConsoleEntries(past.OutLines()),
              (Lines{"ExportShip [plug-in]", "ImportShipLayout [plug-in]",
                     "ImportShipInterior [plug-in]", "free placeholder", "end of table"}));
    EXPECT_EQ(LinesStartingWith(bound.OutLines(), "0x13"),
              (Lines{"0x13BF ExportShip [plug-in]", "0x13C0 free placeholder", "0x13C1 end of table"}));
    EXPECT_EQ(WorldConsoleEntries(bound.OutLines()),
              (Lines{"ImportShipLayout [plug-in]", "ImportShipInterior [plug-in]",
                     "free placeholder", "end of table"}));
}

class CommandParameters : public ::testing::Test {};

TEST_F(CommandParameters, MissingEmptyTooLongOrExtraNames_ResultInTheCommandsParameterMessages_AndNothingElse) {
    GameFolder folder;
    folder.InstallCorvanis();
    const std::string longName(600, 'n');
    const std::string quotes =
        "the command takes one name: put a name with blanks in quotes, as in ExportShip \"Orbit Runner\"";

    const ProcessResult result =
        folder.Run({"--world", StarterWorld().string(), "--dump", "after.json", "--run", "ExportShip", "--run",
                    "ExportShip \"\"", "--run", "ImportShipLayout " + longName, "--run", "ImportShipInterior a b",
                    "--run", "ImportShipInterior \"open", "--run", "ImportShipInterior"});

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> ExportShip", "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ExportShip \"\"", "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ImportShipLayout " + longName, "ImportShipLayout: ERROR: couldn't parse command parameters.",
                     "ImportShipLayout: INFO: " + quotes, "> ImportShipInterior a b",
                     "ImportShipInterior: ERROR: couldn't parse command parameters.", "ImportShipInterior: INFO: " + quotes,
                     "> ImportShipInterior \"open", "ImportShipInterior: ERROR: couldn't parse command parameters.",
                     "ImportShipInterior: INFO: " + quotes,
                     "> ImportShipInterior", "ImportShipInterior: ERROR: parameter 'asBlueprintName' is empty."}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Spaceships()));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
