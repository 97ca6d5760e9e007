// A plug-in that breaks a contract of the game ends the game, as the real one
// would crash: with the game-error exit code, after the line that says what.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

constexpr int kGameErrorExitCode = 3;

TEST(GameErrors, EachBreachOfTheGamesContracts_EndsTheGameWithTheGameErrorCode) {
    struct Breach {
        int message;
        std::string line;
    };
    const Breach breaches[] = {
        {1000, "Game error: Deallocate was handed memory the game was given back already"},
        {1001, "Game error: Deallocate was handed memory the game did not allocate"},
        {1002, "Game error: the fixed string \"Breaches: released twice\" was released more often than it was made"},
        {1003, "Game error: GetShipPlayerIsIn was handed no actor"},
        {1004, "Game error: RefSetLinkedRef was handed a target that is no live reference"},
        {1005, "Game error: the fixed string \"Breaches: never released\" is counted 1 times and held 0 times"},
        {1006, "Game error: Deallocate was handed memory that 01000900 ShipPathfinder's KORModel_Component still "
               "points to"},
        {1007, "Game error: the command entry of sim.memory was written beyond the fields a plug-in fills"},
    };
    GameFolder folder;
    folder.InstallPlugin(TestPlugin("breaches"));
    for (const Breach& breach : breaches) {
        const ProcessResult result = folder.Run(
            {"--world", StarterWorld().string(), "--run", "sim.message " + std::to_string(breach.message), "--run",
             "sim.memory"});
        EXPECT_EQ(result.exitCode, kGameErrorExitCode) << breach.line;
        const Lines lines = result.OutLines();
        EXPECT_EQ(lines.empty() ? "" : lines.back(), breach.line);
    }
}

}  // namespace
}  // namespace e2e
