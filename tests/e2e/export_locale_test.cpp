// A game whose process runs in a locale that writes decimal commas: the
// blueprint is the same as in any other.
#include <gtest/gtest.h>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/support/CommaLocale.h"

namespace e2e {
namespace {

class ExportInLocale : public ::testing::Test {};

TEST_F(ExportInLocale, AGameInALocaleWithDecimalCommas_WritesTheSameBlueprintWithPoints) {
    const std::string locale = corvanis_test::CommaLocale();
    if (locale.empty()) GTEST_SKIP() << "this system has no locale that writes decimal commas";
    GameFolder folder;
    folder.InstallCorvanis();
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"sim.locale " + locale, "ExportShip Pathfinder"}),
              Concatenated({{"> sim.locale " + locale, "Process locale: " + locale + ", printf writes 1.5 as 1,500000"},
                            Exported("ExportShip Pathfinder", "Pathfinder.txt")}));
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Pathfinder.txt"),
              ReadLines(ExpectedFolder() / "starter-Pathfinder.txt"));
}

}  // namespace
}  // namespace e2e
