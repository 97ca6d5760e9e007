// Hand-tuned: the short ways to the floats that the exporter writes, taken
// before the general conversion for every value the readers read.
// bench/README.md says what they bought.
//
// Contract: each gives true only with the float that the general conversion
// (ConvertFloat, which reads as strtof does) gives for the same text, and
// false, with nothing set, where it cannot be sure. Its plain oracle is
// ConvertFloat and the C library's strtof; tests/import/
// number_conversion_test.cpp checks them against each other on generated
// texts of every magnitude.
#pragma once

#include <cstddef>
#include <string_view>

namespace Corvanis {

// A decimal mantissa (digits with an optional point, no sign) whose digits,
// its fraction's trailing zeros left out, make a whole number below 2^24,
// with at most ten digits of fraction left.
bool ConvertShortDecimal(std::string_view mantissa, float& magnitude);

// The texts the exporter writes for floats ("-12.500000", "180.000000"): an
// optional '-', digits, a point and digits, at least one digit on each side,
// at most kPlainDecimalDigits digits and nothing else. False, with `value`
// untouched, for every other text.
constexpr std::size_t kPlainDecimalDigits = 18;
bool ConvertPlainDecimal(std::string_view text, float& value);

}  // namespace Corvanis
