// The spacing of installation attempts made from player updates, with a clock
// and an attempt of the test's making.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "frame/commands/InstallRetry.h"

namespace {

using Corvanis::InstallRetry;

constexpr std::int64_t kMillisecond = 1000000;

std::int64_t g_now = 0;
int g_attempts = 0;

std::int64_t TestClock() { return g_now; }

bool CountAttempt() {
    ++g_attempts;
    return false;
}

TEST(InstallRetry, NotificationsHalfASecondApart_MakeOneAttempt_AndASecondOrMoreApart_MakeTwo) {
    const struct {
        std::int64_t first;
        std::int64_t second;
        int attempts;
    } cases[] = {
        {10000 * kMillisecond, 10500 * kMillisecond, 1},
        {10000 * kMillisecond, 11100 * kMillisecond, 2},
        {10000 * kMillisecond, 10999 * kMillisecond, 1},
        {10000 * kMillisecond, 11000 * kMillisecond, 2},
        // A clock that has only just started still lets the first one through.
        {200 * kMillisecond, 700 * kMillisecond, 1},
    };
    for (const auto& times : cases) {
        SCOPED_TRACE(std::to_string(times.first) + " then " + std::to_string(times.second));
        InstallRetry retry(&TestClock, &CountAttempt);
        g_attempts = 0;
        g_now = times.first;
        retry.Notify();
        g_now = times.second;
        retry.Notify();
        EXPECT_EQ(g_attempts, times.attempts);
    }
}

// An attempt that is still under way when another thread's notification
// arrives, and waits until that notification is over.
struct Overlap {
    std::mutex mutex;
    std::condition_variable changed;
    bool attemptUnderWay = false;
    bool otherNotificationOver = false;
    int attempts = 0;
};
Overlap g_overlap;

bool AttemptThatOutlastsAnotherNotification() {
    std::unique_lock lock(g_overlap.mutex);
    if (++g_overlap.attempts > 1) return false;
    g_overlap.attemptUnderWay = true;
    g_overlap.changed.notify_all();
    g_overlap.changed.wait(lock, [] { return g_overlap.otherNotificationOver; });
    return false;
}

TEST(InstallRetry, ANotificationOnAnotherThreadWhileAnAttemptIsUnderWay_MakesNoSecondAttempt) {
    InstallRetry retry(&TestClock, &AttemptThatOutlastsAnotherNotification);
    g_now = 10000 * kMillisecond;
    std::thread first([&retry] { retry.Notify(); });
    {
        std::unique_lock lock(g_overlap.mutex);
        g_overlap.changed.wait(lock, [] { return g_overlap.attemptUnderWay; });
        g_now = 10100 * kMillisecond;
    }

    retry.Notify();

    {
        std::lock_guard lock(g_overlap.mutex);
        g_overlap.otherNotificationOver = true;
        g_overlap.changed.notify_all();
    }
    first.join();
    EXPECT_EQ(g_overlap.attempts, 1);
}

}  // namespace
