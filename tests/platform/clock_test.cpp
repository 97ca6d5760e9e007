#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

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

TEST(Clocks, LocalTime_ResultsInTheCalendarTheRuntimeGives) {
    const std::time_t seconds = 1700000000;
    std::tm expected = *std::localtime(&seconds);
    std::tm local{};
    ASSERT_TRUE(platform::ToLocalTime(seconds, local));
    EXPECT_EQ(local.tm_year, expected.tm_year);
    EXPECT_EQ(local.tm_mon, expected.tm_mon);
    EXPECT_EQ(local.tm_mday, expected.tm_mday);
    EXPECT_EQ(local.tm_hour, expected.tm_hour);
    EXPECT_EQ(local.tm_min, expected.tm_min);
    EXPECT_EQ(local.tm_sec, expected.tm_sec);
}

TEST(Clocks, SteadyClock_ResultsInNoStepBack) {
    std::int64_t previous = platform::SteadyNanoseconds();
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t now = platform::SteadyNanoseconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

}  // namespace
