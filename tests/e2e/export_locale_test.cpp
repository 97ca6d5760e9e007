// A game whose process runs in a locale that writes decimal commas: the
// blueprint is the same as in any other.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"

namespace e2e {
namespace {

// A locale name this system's C runtime knows and that writes 1.5 as "1,5",
// or empty. On Linux the build may have generated one for the tests.
std::string CommaLocale() {
#if defined(_WIN32)
    const char* const candidates[] = {"German_Germany.1252", "French_France.1252"};
#else
    const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
#endif
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const char* name : candidates) {
            if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
            char sample[32];
            std::snprintf(sample, sizeof sample, "%f", 1.5);
            std::setlocale(LC_NUMERIC, "C");
            if (std::string(sample) == "1,500000") return name;
        }
#if defined(CORVANIS_E2E_LOCALES)
        // The game started later inherits where to find them.
        if (attempt == 0) setenv("LOCPATH", CORVANIS_E2E_LOCALES, 1);
#endif
    }
    return {};
}

class ExportInLocale : public ::testing::Test {};

TEST_F(ExportInLocale, AGameInALocaleWithDecimalCommas_WritesTheSameBlueprintWithPoints) {
    const std::string locale = CommaLocale();
    if (locale.empty()) GTEST_SKIP() << "this system has no locale that writes decimal commas";
    GameFolder folder;
    folder.InstallCorvanis();
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"sim.locale " + locale, "ExportShip Pathfinder"}),
              (Lines{"> sim.locale " + locale, "Process locale: " + locale + ", printf writes 1.5 as 1,500000",
                     "> ExportShip Pathfinder", "ExportShipRef: INFO: ship exported."}));
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Pathfinder.txt"),
              ReadLines(ExpectedFolder() / "starter-Pathfinder.txt"));
}

}  // namespace
}  // namespace e2e
