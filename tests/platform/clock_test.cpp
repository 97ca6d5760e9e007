#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "platform/platform.h"

namespace {

TEST(Clocks, SystemTime_ResultsInTicksSince1970) {
    const auto reference = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
    const auto seconds = static_cast<long long>(platform::SystemTimeTicks() / 10000000);
    // A wrong epoch is off by centuries; only a leap of the clock itself
    // could move the two readings this far apart.
    EXPECT_LT(std::llabs(seconds - reference), 60);
}

}  // namespace
