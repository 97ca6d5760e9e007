#include "frame/commands/InstallRetry.h"

namespace Corvanis {

namespace {

constexpr std::int64_t kRetrySpacingNanoseconds = 1000000000;

}  // namespace

void InstallRetry::Notify() {
    const std::int64_t now = clock_();
    std::int64_t last = lastAttempt_.load();
    // The first notification attempts at once, however young the clock is.
    if (last != 0 && now - last < kRetrySpacingNanoseconds) return;
    // Another notification may have claimed this attempt since the load.
    if (!lastAttempt_.compare_exchange_strong(last, now)) return;
    attempt_();
}

}  // namespace Corvanis
