// The retry of the command installation from the game's player update
// notifications: at most one attempt a second. Each attempt is claimed
// atomically before it begins, so that notifications on two threads never
// make two attempts at once, nor does one that arrives during an attempt.
#pragma once

#include <atomic>
#include <cstdint>

namespace Corvanis {

class InstallRetry {
public:
    using Clock = std::int64_t (*)();  // a steady clock in nanoseconds
    using Attempt = bool (*)();

    constexpr InstallRetry(Clock clock, Attempt attempt) : clock_(clock), attempt_(attempt) {}

    // Makes an attempt when one is due: on the first notification, and then
    // once a second has passed since the last attempt began.
    void Notify();

private:
    Clock clock_;
    Attempt attempt_;
    // When the last attempt began; 0 for none.
    std::atomic<std::int64_t> lastAttempt_{0};
};

}  // namespace Corvanis
