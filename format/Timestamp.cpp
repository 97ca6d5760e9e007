#include "format/Timestamp.h"

#include <cstdio>
#include <ctime>

#include "platform/platform.h"

namespace Corvanis {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kTicksPerMillisecond = 10000;

std::tm LocalTime(std::uint64_t ticksSince1970) {
    std::tm local{};
    platform::ToLocalTime(static_cast<std::int64_t>(ticksSince1970 / kTicksPerSecond), local);
    return local;
}

}  // namespace

std::string MakeTimestamp() { return MakeTimestamp(platform::SystemTimeTicks()); }

std::string MakeTimestamp(std::uint64_t ticksSince1970) {
    const std::uint64_t seconds = ticksSince1970 / kTicksPerSecond;
    const std::uint64_t milliseconds = ticksSince1970 / kTicksPerMillisecond - seconds * 1000;
    const std::tm local = LocalTime(ticksSince1970);
    // Written out by hand: the Windows runtime's strftime knows no %F.
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%05u", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<unsigned>(milliseconds));
    return text;
}

}  // namespace Corvanis
