#include <time.h>

#include "platform/platform.h"

namespace platform {

std::uint64_t SystemTimeTicks() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 10000000u + static_cast<std::uint64_t>(now.tv_nsec) / 100u;
}

bool ToLocalTime(std::int64_t secondsSinceEpoch, std::tm& out) {
    const time_t seconds = static_cast<time_t>(secondsSinceEpoch);
    return localtime_r(&seconds, &out) != nullptr;
}

std::int64_t SteadyNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace platform
