// The piloting skill requirement: the game's requirement form pointer follows
// the setting at start-up and on every reload, and the game's own call is
// redirected only when the setting is on at start-up.
#include <gtest/gtest.h>

#include "tests/e2e/FrameScenario.h"

namespace e2e {
namespace {

const std::string kFormSet = "Piloting requirement form: 002CFCAC PilotingSkill";
const std::string kFormEmpty = "Piloting requirement form: none";

std::string Settings(int noPilotingSkillRequirement) {
    return "[Piloting]\r\nbNoPilotingSkillRequirement=" + std::to_string(noPilotingSkillRequirement) +
           "\r\n[Misc]\r\nbAlwaysReloadSettingsOnCommand=1\r\n";
}

// What a dump says about the game's call site.
Lines CallSite(const GameFolder& folder, const std::string& dump) {
    return LinesStartingWith(ReadLines(folder.Game() / dump), "  \"session\"");
}

Lines CallSiteIs(const std::string& state) { return {"  \"session\": {\"pilotingCallSite\": \"" + state + "\"}"}; }

// Checks, dumps the world as the marker for the settings change, waits for
// it, runs a command (which reloads) and checks again.
const std::vector<std::string> kCheckReloadCheck = {
    "--world", StarterWorld().string(), "--run", "sim.pilotform", "--run", "sim.pilotcheck",
    "--run", "sim.dump before.json", "--run", "sim.wait 5", "--run", "ExportShip", "--run",
    "sim.pilotform", "--run", "sim.pilotcheck", "--run", "sim.dump after.json"};

Lines CheckReloadCheckLines(const std::string& formBefore, const std::string& requirementBefore,
                            const std::string& formAfter, const std::string& requirementAfter) {
    return {CorvanisLoadedLine(),
            "> sim.pilotform",
            formBefore,
            "> sim.pilotcheck",
            "Piloting skill requirement: " + requirementBefore,
            "> sim.dump before.json",
            "World written to before.json",
            "> sim.wait 5",
            "Waited 5 s.",
            "> ExportShip",
            "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty.",
            "> sim.pilotform",
            formAfter,
            "> sim.pilotcheck",
            "Piloting skill requirement: " + requirementAfter,
            "> sim.dump after.json",
            "World written to after.json"};
}

class PilotingPatch : public ::testing::Test {};

TEST_F(PilotingPatch, OnAtStartUpThenOffByAReload_ResultsInNoRequirementThenTheGamesOwnAnswerThroughThePatch) {
    GameFolder folder;
    folder.InstallCorvanis();
    WriteSettings(folder, Settings(1));

    const ProcessResult result = RunRewritingSettings(folder, kCheckReloadCheck, "before.json", Settings(0));

    EXPECT_EQ(result.OutLines(), CheckReloadCheckLines(kFormEmpty, "0", kFormSet, "3"));
    EXPECT_EQ(CallSite(folder, "before.json"), CallSiteIs("patched"));
    EXPECT_EQ(CallSite(folder, "after.json"), CallSiteIs("patched"));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(PilotingPatch, ASecondDataLoadedMessage_InstallsNothingMore_SoTheGamesOwnAnswerStillComesThroughOnceOff) {
    GameFolder folder;
    folder.InstallCorvanis();
    WriteSettings(folder, Settings(1));
    std::vector<std::string> arguments = kCheckReloadCheck;
    arguments.insert(arguments.begin() + 2, {"--run", "sim.message 2"});

    const ProcessResult result = RunRewritingSettings(folder, arguments, "before.json", Settings(0));

    Lines expected = CheckReloadCheckLines(kFormEmpty, "0", kFormSet, "3");
    expected.insert(expected.begin() + 1, {"> sim.message 2", "Loader message 2 sent"});
    EXPECT_EQ(result.OutLines(), expected);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(CallSite(folder, "after.json"), CallSiteIs("patched"));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(PilotingPatch, OffAtStartUpThenOnByAReload_ResultsInTheFormPointerEmptied_AndNoCodePatched) {
    GameFolder folder;
    folder.InstallCorvanis();
    WriteSettings(folder, Settings(0));

    const ProcessResult result = RunRewritingSettings(folder, kCheckReloadCheck, "before.json", Settings(1));

    EXPECT_EQ(result.OutLines(), CheckReloadCheckLines(kFormSet, "3", kFormEmpty, "3"));
    EXPECT_EQ(CallSite(folder, "before.json"), CallSiteIs("original"));
    EXPECT_EQ(CallSite(folder, "after.json"), CallSiteIs("original"));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(PilotingPatch, OffWithAGameThatLacksTheRequirementForm_LeavesThePointerEmpty) {
    GameFolder folder;
    folder.InstallCorvanis();
    folder.WriteFile("world.json", WorldWithTables(R"("free", "free", "free")", ""));

    const ProcessResult result = folder.Run({"--world", "world.json", "--run", "sim.pilotform"});

    EXPECT_EQ(result.OutLines(), (Lines{CorvanisLoadedLine(), "> sim.pilotform", kFormEmpty}));
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
