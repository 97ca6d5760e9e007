// Our number conversions beside the C library's, in the "C" locale, with the
// game platform's 32-bit long. On Windows the C library's strtol and strtoul
// have a 32-bit long themselves; on Linux, where long has 64 bits, the 32-bit
// results are made from strtoll and strtoull with the 32-bit range rules.
// The unit tests compare generated texts this way, the line readers' fuzz
// target whatever a fuzzer makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/reading/NumberConversion.h"

namespace dev_support {

// How one conversion of one text ended; `bits` is the value's bit pattern.
struct ConversionOutcome {
    Corvanis::ConversionStatus status;
    std::size_t length;
    std::uint64_t bits;

    bool operator==(const ConversionOutcome&) const = default;
};

std::string Describe(const ConversionOutcome& outcome);

// strtof of the text, ours and the C library's.
ConversionOutcome OurFloat(const std::string& text);
ConversionOutcome TheirFloat(const std::string& text);

// Where the C library of this build differs from the game platform's rules,
// for reasons the comments in the definition give.
bool KnownDifference(const ConversionOutcome& ours, const ConversionOutcome& theirs);

// Each conversion (strtol, strtoul and strtoull in bases 10 and 16, strtof)
// of the text, ours beside the C library's: one line for each difference
// that is not a known one. The C library reads up to the first NUL, as it
// reads any text: no number holds one.
std::vector<std::string> ConversionDifferences(const std::string& text);

}  // namespace dev_support
