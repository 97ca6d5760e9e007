#include <windows.h>

#include <ctime>

#include "platform/platform.h"

namespace platform {

namespace {

// FILETIME counts from 1601-01-01; the plug-in counts from 1970-01-01.
constexpr std::uint64_t kTicksFrom1601To1970 = 116444736000000000ULL;

}  // namespace

std::uint64_t SystemTimeTicks() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return ticks - kTicksFrom1601To1970;
}

bool ToLocalTime(std::int64_t secondsSinceEpoch, std::tm& out) {
    const __time64_t seconds = secondsSinceEpoch;
    return _localtime64_s(&out, &seconds) == 0;
}

std::int64_t SteadyNanoseconds() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    // Split so that counter * 10^9 cannot overflow after a long uptime.
    const std::int64_t seconds = counter.QuadPart / frequency.QuadPart;
    const std::int64_t rest = counter.QuadPart % frequency.QuadPart;
    return seconds * 1000000000 + rest * 1000000000 / frequency.QuadPart;
}

}  // namespace platform
