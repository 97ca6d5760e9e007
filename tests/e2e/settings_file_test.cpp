// The settings file in the game folder, as the plug-in finds or creates it at
// start-up.
#include <gtest/gtest.h>

#include "tests/e2e/FrameScenario.h"
#include "tests/support/DefaultSettingsFile.h"

namespace e2e {
namespace {


class SettingsAtStartUp : public ::testing::Test {};

TEST_F(SettingsAtStartUp, FirstStartWithoutAFile_ResultsInTheFileWithThe25DefaultKeysInTheirSectionsAndOrder) {
    GameFolder folder;
    folder.InstallCorvanis();

    const ProcessResult result = folder.Run({"--run", "quit"});

    EXPECT_EQ(result.OutLines(), (Lines{CorvanisLoadedLine(), "> quit"}));
    EXPECT_EQ(ReadBytes(SettingsFile(folder)), corvanis_test::kDefaultSettingsFile);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(SettingsAtStartUp, AFolderAtTheSettingsPath_CountsAsAFile_SoNothingIsCreatedAndTheDefaultsHold) {
    GameFolder folder;
    folder.InstallCorvanis();
    std::filesystem::create_directory(SettingsFile(folder));

    const ProcessResult result = folder.Run({"--world", StarterWorld().string(), "--run", "sim.pilotcheck", "--run",
                                             "help Export", "--run", "ExportShip"});

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> sim.pilotcheck", "Piloting skill requirement: 3", "> help Export",
                     "ExportShip: Exports a Spaceship (implemented by Corvanis - ORBX Plugin by Pellimor)",
                     "> ExportShip", "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty."}));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile(folder)));
    EXPECT_TRUE(std::filesystem::is_empty(SettingsFile(folder)));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

// Only byte 12 changes; the reload flag keeps its built-in "on", so a command
// picks up a change made while the game runs.
TEST_F(SettingsAtStartUp, AFileWithOnlyExportSkipWEAP_KeepsTheOtherDefaults_SoCommandsStillReloadIt) {
    GameFolder folder;
    folder.InstallCorvanis();
    WriteSettings(folder, "[Export]\r\nbSkipWEAP=1\r\n");

    const ProcessResult result = RunRewritingSettings(
        folder,
        {"--world", StarterWorld().string(), "--run", "sim.pilotform", "--run", "sim.dump marker.json", "--run",
         "sim.wait 5", "--run", "ImportShipLayout", "--run", "sim.pilotform"},
        "marker.json", "[Piloting]\r\nbNoPilotingSkillRequirement=1\r\n");

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> sim.pilotform", "Piloting requirement form: 002CFCAC PilotingSkill",
                     "> sim.dump marker.json", "World written to marker.json", "> sim.wait 5", "Waited 5 s.",
                     "> ImportShipLayout", "ImportShipLayout: ERROR: parameter 'asBlueprintName' is empty.",
                     "> sim.pilotform", "Piloting requirement form: none"}));
    EXPECT_EQ(result.exitCode, 0);
}

class ReloadOnCommand : public ::testing::Test {};

const std::string kFormSet = "Piloting requirement form: 002CFCAC PilotingSkill";
const std::string kFormEmpty = "Piloting requirement form: none";
const std::string kNoName = "ImportShipLayout: ERROR: parameter 'asBlueprintName' is empty.";

std::string PilotingWithoutReload(int noPilotingSkillRequirement) {
    return "[Piloting]\r\nbNoPilotingSkillRequirement=" + std::to_string(noPilotingSkillRequirement) +
           "\r\n[Misc]\r\nbAlwaysReloadSettingsOnCommand=0\r\n";
}

TEST_F(ReloadOnCommand, OffInTheFile_LeavesAChangedFileUnreadByCommands) {
    GameFolder folder;
    folder.InstallCorvanis();
    WriteSettings(folder, PilotingWithoutReload(0));

    const ProcessResult result = RunRewritingSettings(
        folder,
        {"--world", StarterWorld().string(), "--run", "sim.dump marker.json", "--run", "sim.wait 5", "--run",
         "ImportShipLayout", "--run", "sim.pilotform"},
        "marker.json", PilotingWithoutReload(1));

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> sim.dump marker.json", "World written to marker.json", "> sim.wait 5",
                     "Waited 5 s.", "> ImportShipLayout", kNoName, "> sim.pilotform", kFormSet}));
    EXPECT_EQ(result.exitCode, 0);
}

// A new file says "0", but until a command has read it the built-in "on"
// holds: the first command reloads, and what it reads turns reloading off.
TEST_F(ReloadOnCommand, AfterTheFileWasCreated_TheFirstCommandReloadsAndLaterOnesDoNot) {
    GameFolder folder;
    folder.InstallCorvanis();

    const ProcessResult result = RunRewritingSettings(
        folder,
        {"--world", StarterWorld().string(), "--run", "sim.dump first.json", "--run", "sim.wait 5", "--run",
         "ImportShipLayout", "--run", "sim.pilotform", "--run", "sim.dump second.json", "--run", "sim.wait 5",
         "--run", "ImportShipLayout", "--run", "sim.pilotform"},
        {{"first.json", PilotingWithoutReload(1)}, {"second.json", PilotingWithoutReload(0)}});

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> sim.dump first.json", "World written to first.json", "> sim.wait 5",
                     "Waited 5 s.", "> ImportShipLayout", kNoName, "> sim.pilotform", kFormEmpty,
                     "> sim.dump second.json", "World written to second.json", "> sim.wait 5", "Waited 5 s.",
                     "> ImportShipLayout", kNoName, "> sim.pilotform", kFormEmpty}));
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
