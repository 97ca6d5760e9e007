// veltrane's command line: what it refuses before the game boots, and the
// paths it takes from the folder it was started in.
#include <gtest/gtest.h>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

const std::string kUsage =
    "usage: veltrane [--world FILE] [--game-dir DIR] [--plugin FILE]... [--run LINE]... "
    "[--script FILE] [--dump FILE]";

TEST(CommandLine, Help_PrintsTheUsage_AndBootsNothing) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));

    const ProcessResult result = folder.Run({"--help"});

    ASSERT_FALSE(result.OutLines().empty());
    EXPECT_EQ(result.OutLines().front(), kUsage);
    EXPECT_TRUE(LinesStartingWith(result.OutLines(), "recorder:").empty()) << result.out;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

struct BadArguments {
    std::vector<std::string> arguments;
    std::string message;
};

TEST(CommandLine, BadArguments_AreNamedOnStandardErrorWithTheUsage_ExitCode2_AndNoPluginLoads) {
    const BadArguments cases[] = {
        {{"--bogus"}, "veltrane: unknown option --bogus"},
        {{"stray"}, "veltrane: unexpected argument stray"},
        {{"--run", "sim.plugins", "--world"}, "veltrane: --world needs a value"},
        {{"--world", "a.json", "--world", "b.json"}, "veltrane: --world given twice"},
        {{"--dump", "a.json", "--dump", "b.json"}, "veltrane: --dump given twice"},
        {{"--script", "missing.txt"}, "veltrane: cannot read script file missing.txt"},
        {{"--script", "game"}, "veltrane: cannot read script file game"},
        {{"--game-dir", "nowhere"}, "veltrane: game folder nowhere does not exist"},
    };
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));
    for (const BadArguments& bad : cases) {
        std::vector<std::string> arguments = {"--plugin", "game/Data/ORBX/Plugins/" + PluginFileName("recorder")};
        arguments.insert(arguments.end(), bad.arguments.begin(), bad.arguments.end());

        const ProcessResult result = RunVeltrane(arguments, folder.Root());

        EXPECT_EQ(result.ErrLines(), (Lines{bad.message, kUsage}));
        EXPECT_EQ(result.out, "") << bad.message;
        EXPECT_EQ(result.exitCode, 2) << bad.message;
    }
}

TEST(CommandLine, AWorldFileThatCannotBeRead_EndsTheBootWithExitCode2_BeforeTheDataLoadedMessage) {
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("recorder"));

    const ProcessResult result = folder.Run({"--world", "no-such-world.json", "--run", "sim.plugins"});

    EXPECT_EQ(result.OutLines(), Concatenated({
                                     RecorderLoadLines("recorder", 1),
                                     {"ORBX: loaded " + PluginFileName("recorder") + ": Recorder 1.2",
                                      RecorderMessageLine("recorder", 0), RecorderMessageLine("recorder", 1)},
                                 }));
    // The world's own error text names the file.
    const Lines errors = result.ErrLines();
    ASSERT_EQ(errors.size(), 1u) << result.err;
    EXPECT_TRUE(errors[0].starts_with("veltrane: ")) << errors[0];
    EXPECT_NE(errors[0].find("no-such-world.json"), std::string::npos) << errors[0];
    EXPECT_EQ(result.exitCode, 2);
}

class WorldFiles : public ::testing::Test {};

TEST_F(WorldFiles, TheWorldAndTheDumpPaths_AreTakenFromTheStartFolder_AndADumpLoadsAgainAsAWorld) {
    GameFolder folder;
    std::filesystem::create_directories(folder.Root() / "worlds");
    std::filesystem::copy_file(StarterWorld(), folder.Root() / "worlds" / "mine.json");

    const ProcessResult first = folder.Run({"--world", "worlds/mine.json", "--run", "quit", "--dump", "saved.json"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "");
    ASSERT_TRUE(std::filesystem::exists(folder.Root() / "saved.json"));

    const ProcessResult second = folder.Run({"--world", "saved.json", "--run", "quit", "--dump", "again.json"});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(ReadBytes(folder.Root() / "again.json"), ReadBytes(folder.Root() / "saved.json"));
}

}  // namespace
}  // namespace e2e
