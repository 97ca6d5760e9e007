// The loader as the game boots: which plug-ins it loads or refuses, what it
// hands them, which messages they get and in what order.
#include <gtest/gtest.h>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

std::string Loaded(const std::string& name, const std::string& title) {
    return "ORBX: loaded " + PluginFileName(name) + ": " + title;
}

std::string Refused(const std::string& name, const std::string& reason) {
    return "ORBX: refused " + PluginFileName(name) + ": " + reason;
}

TEST(Boot, APluginInTheGameFolder_IsHandedTheLoaderRecords_AndGetsMessages0_1_2InOrderInTheGameFolder) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));
    folder.WriteFile("marker.txt", "the start folder\n");
    folder.WriteFile("game/marker.txt", "the game folder\n");

    const ProcessResult result = folder.Run({});

    EXPECT_EQ(result.OutLines(), Concatenated({
                                     RecorderLoadLines("recorder", 1),
                                     {Loaded("recorder", "Recorder 1.2"),
                                      RecorderMessageLine("recorder", 0),
                                      RecorderMessageLine("recorder", 1),
                                      RecorderMessageLine("recorder", 2),
                                      RecorderMarkerLine("recorder", "the game folder")},
                                 }));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST(Boot, WithoutAGameFolderOption_TheFolderStartedIn_IsTheGameFolder) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));
    folder.WriteFile("game/marker.txt", "started here\n");

    const ProcessResult result = RunVeltrane({}, folder.Game());

    EXPECT_EQ(LinesStartingWith(result.OutLines(), "recorder: marker.txt"),
              Lines{RecorderMarkerLine("recorder", "started here")});
    EXPECT_EQ(result.exitCode, 0);
}

TEST(Boot, PluginsTheLoaderMustRefuse_AreNamedWithTheirReason_InFileNameOrder_AndTheGameGoesOn) {
    GameFolder folder;
    for (const char* name : {"wrong_runtime", "recorder", "no_version", "format_two", "no_load"}) {
        folder.InstallPlugin(TestPlugin(name));
    }

    const ProcessResult result = folder.Run({});

    // None of the refused plug-ins' load functions ran: each would have said so.
    EXPECT_EQ(result.OutLines(),
              Concatenated({
                  {Refused("format_two", "version record format 2, expected 1"),
                   Refused("no_load", "no ORBXPlugin_Load export"),
                   Refused("no_version", "no ORBXPlugin_Version export")},
                  RecorderLoadLines("recorder", 1),
                  {Loaded("recorder", "Recorder 1.2"),
                   Refused("wrong_runtime", "not built for runtime 1.15.216.0 (built for 1.14.70.0)"),
                   RecorderMessageLine("recorder", 0), RecorderMessageLine("recorder", 1),
                   RecorderMessageLine("recorder", 2), RecorderMarkerLine("recorder", "missing")},
              }));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST(Boot, APluginWhoseLoadFunctionFails_StaysInactive_AndItsListenersAreNeverCalled_WhileOthersGetTheirOwnHandles) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"), PluginFileName("a_recorder"));
    folder.InstallPlugin(TestPlugin("decliner"), PluginFileName("b_decliner"));
    folder.InstallPlugin(TestPlugin("recorder"), PluginFileName("c_recorder"));

    const ProcessResult result = folder.Run({});

    EXPECT_EQ(result.OutLines(),
              Concatenated({
                  RecorderLoadLines("recorder", 1),
                  {Loaded("a_recorder", "Recorder 1.2")},
                  RecorderLoadLines("decliner", 2),
                  {"ORBX: inactive " + PluginFileName("b_decliner") + ": ORBXPlugin_Load returned false"},
                  RecorderLoadLines("recorder", 3),
                  {Loaded("c_recorder", "Recorder 1.2"),
                   RecorderMessageLine("recorder", 0), RecorderMessageLine("recorder", 0),
                   RecorderMessageLine("recorder", 1), RecorderMessageLine("recorder", 1),
                   RecorderMessageLine("recorder", 2), RecorderMarkerLine("recorder", "missing"),
                   RecorderMessageLine("recorder", 2), RecorderMarkerLine("recorder", "missing")},
              }));
    EXPECT_EQ(result.exitCode, 0);
}

TEST(Boot, PluginsGivenOnTheCommandLine_LoadAfterTheGameFolders_FromTheStartFolder_AndAModuleLoadsOnce) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));
    std::filesystem::create_directories(folder.Root() / "extra");
    std::filesystem::copy_file(TestPlugin("recorder"), folder.Root() / "extra" / PluginFileName("second"));
    const std::string installed = "game/Data/ORBX/Plugins/" + PluginFileName("recorder");

    const ProcessResult result =
        folder.Run({"--plugin", "extra/" + PluginFileName("second"), "--plugin", installed});

    EXPECT_EQ(result.OutLines(),
              Concatenated({
                  RecorderLoadLines("recorder", 1),
                  {Loaded("recorder", "Recorder 1.2")},
                  RecorderLoadLines("recorder", 2),
                  {Loaded("second", "Recorder 1.2"), Refused("recorder", "already loaded"),
                   RecorderMessageLine("recorder", 0), RecorderMessageLine("recorder", 0),
                   RecorderMessageLine("recorder", 1), RecorderMessageLine("recorder", 1),
                   RecorderMessageLine("recorder", 2), RecorderMarkerLine("recorder", "missing"),
                   RecorderMessageLine("recorder", 2), RecorderMarkerLine("recorder", "missing")},
              }));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST(Boot, AFileThatIsNoLibrary_IsRefused_WithTheSystemsReasonOnStandardError_AndOtherFilesAreNotPlugins) {
    GameFolder folder;
    WriteBytes(folder.Plugins() / PluginFileName("broken"), "not a library\n");
    WriteBytes(folder.Plugins() / "readme.txt", "plug-ins go here\n");
    std::filesystem::create_directories(folder.Plugins() / PluginFileName("folder"));

    const ProcessResult result = folder.Run({});

    EXPECT_EQ(result.OutLines(), Lines{Refused("broken", "cannot be loaded")});
    const Lines errors = result.ErrLines();
    ASSERT_EQ(errors.size(), 1u) << result.err;
    EXPECT_TRUE(errors[0].starts_with("ORBX: " + PluginFileName("broken") + ": ")) << errors[0];
    EXPECT_GT(errors[0].size(), ("ORBX: " + PluginFileName("broken") + ": ").size());
    EXPECT_EQ(result.exitCode, 0);
}

class MessageCommand : public ::testing::Test {};

TEST_F(MessageCommand, SendsTheMessageAgainToTheActivePluginsListeners_AndAnUnreadableTypeGetsTheUsageLine) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"), PluginFileName("a_recorder"));
    folder.InstallPlugin(TestPlugin("decliner"), PluginFileName("b_decliner"));
    folder.WriteFile("game/marker.txt", "loaded again\n");

    const ProcessResult result =
        folder.Run({"--run", "sim.message 2", "--run", "sim.message 77", "--run", "sim.message two", "--run",
                    "sim.message -1", "--run", "sim.message"});

    const Lines lines = result.OutLines();
    const auto first = std::find(lines.begin(), lines.end(), "> sim.message 2");
    ASSERT_NE(first, lines.end()) << result.out;
    EXPECT_EQ(Lines(first, lines.end()),
              (Lines{"> sim.message 2", RecorderMessageLine("recorder", 2),
                     RecorderMarkerLine("recorder", "loaded again"), "Loader message 2 sent",
                     "> sim.message 77", RecorderMessageLine("recorder", 77),
                     "Loader message 77 sent", "> sim.message two", "Usage: sim.message TYPE",
                     "> sim.message -1", "Usage: sim.message TYPE", "> sim.message", "Usage: sim.message TYPE"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

class PluginsCommand : public ::testing::Test {};

TEST_F(PluginsCommand, ListsEveryPluginWhoseLoadFunctionRan_WithNameAndVersion_AndMarksInactiveOnes) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));
    folder.InstallPlugin(TestPlugin("decliner"));
    folder.InstallPlugin(TestPlugin("no_load"));

    const ProcessResult result = folder.Run({"--world", StarterWorld().string(), "--run", "sim.plugins"});

    const Lines lines = result.OutLines();
    const auto echo = std::find(lines.begin(), lines.end(), "> sim.plugins");
    ASSERT_NE(echo, lines.end()) << result.out;
    EXPECT_EQ(Lines(echo + 1, lines.end()),
              (Lines{PluginFileName("decliner") + ": Decliner 2.5 (inactive)",
                     PluginFileName("recorder") + ": Recorder 1.2"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(PluginsCommand, WithoutPlugins_SaysSo) {
    GameFolder folder;

    const ProcessResult result = folder.Run({"--world", StarterWorld().string(), "--run", "sim.plugins"});

    EXPECT_EQ(result.OutLines(), (Lines{"> sim.plugins", "No plug-ins loaded"}));
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
