// The product itself, installed in the game folder as a player installs it.
#include <gtest/gtest.h>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

const std::string kCorvanisListing = PluginFileName("Corvanis") + ": Corvanis - ORBX Plugin by Pellimor " CORVANIS_TITLE_VERSION;

TEST(CorvanisBoot, TheInstalledPlugin_PassesTheLoadersChecks_AndTheGameRuns) {
    GameFolder folder;
    folder.InstallCorvanis();

    const ProcessResult result = folder.Run({"--run", "quit"});

    EXPECT_EQ(result.OutLines(), (Lines{CorvanisLoadedLine(), "> quit"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST(CorvanisBoot, ThePluginsCommand_ListsCorvanisWithItsNameAndVersion) {
    GameFolder folder;
    folder.InstallCorvanis();

    const ProcessResult result = folder.Run({"--world", StarterWorld().string(), "--run", "sim.plugins"});

    EXPECT_EQ(result.OutLines(),
              (Lines{CorvanisLoadedLine(), "> sim.plugins", kCorvanisListing}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
