#pragma once

#include <cstdint>
#include <string>

namespace Corvanis {

// Local time as "YYYY-MM-DD HH:MM:SS.mmmmm": the milliseconds within the
// second, written with five digits.
std::string MakeTimestamp();

// The same for a time given in 100-nanosecond ticks since 1970-01-01 UTC.
std::string MakeTimestamp(std::uint64_t ticksSince1970);


}  // namespace Corvanis
