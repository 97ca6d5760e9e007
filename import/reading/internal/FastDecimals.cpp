#include "import/reading/internal/FastDecimals.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <iterator>

namespace Corvanis {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number below 2^53 and a power of ten up to 10^22 are both doubles
// exactly, so one double division gives their quotient rounded once. That
// double rounds on to the float that the exact quotient rounds to, unless it
// lies exactly halfway between two floats: rounding never carries a number
// past a point that is a double itself, and every point halfway between two
// floats is one. Only there may the exact quotient lie to either side. False,
// with nothing set, there and for a number or a power beyond.
bool DivideThroughDouble(std::uint64_t whole, std::size_t decimals, float& magnitude) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactInDouble = std::uint64_t{1} << 53;
    if (whole >= kExactInDouble || decimals >= std::size(kPowersOfTen)) return false;
    const double quotient = static_cast<double>(whole) / kPowersOfTen[decimals];
    // A normal float keeps 29 bits fewer than a double: halfway between two
    // floats, the first of those bits is set and the others are clear.
    constexpr std::uint64_t kBitsBeyondFloat = (std::uint64_t{1} << 29) - 1;
    if ((std::bit_cast<std::uint64_t>(quotient) & kBitsBeyondFloat) == (kBitsBeyondFloat + 1) / 2) return false;
    magnitude = static_cast<float>(quotient);
    return true;
}

}  // namespace

// A decimal mantissa whose digits, its fraction's trailing zeros left out,
// make a whole number below 2^24, with at most ten digits of fraction left:
// both that number and the power of ten are floats exactly, and one float
// division rounds their quotient as an exact conversion does. The exporter
// writes most numbers so ("1.500000", "-0.250000", "180.000000").
// False, with nothing set, for every other mantissa.
bool ConvertShortDecimal(std::string_view mantissa, float& magnitude) {
    static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    constexpr std::uint32_t kExactInFloat = std::uint32_t{1} << 24;
    const std::size_t point = mantissa.find('.');
    const std::string_view integer = mantissa.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    if (fraction.size() >= std::size(kPowersOfTen)) return false;
    std::uint32_t whole = 0;
    for (const std::string_view digits : {integer, fraction}) {
        for (const char c : digits) {
            whole = whole * 10 + static_cast<std::uint32_t>(c - '0');
            if (whole >= kExactInFloat) return false;
        }
    }
    magnitude = static_cast<float>(whole) / kPowersOfTen[fraction.size()];
    return true;
}

bool ConvertPlainDecimal(std::string_view text, float& value) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view number = text.substr(negative ? 1 : 0);
    if (number.size() < 3 || number.size() > kPlainDecimalDigits + 1) return false;
    // One pass, the point found on the way.
    std::uint64_t whole = 0;
    std::size_t point = std::string_view::npos;
    for (std::size_t at = 0; at < number.size(); ++at) {
        const char c = number[at];
        if (IsDigit(c)) {
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        } else if (c == '.' && point == std::string_view::npos) {
            point = at;
        } else {
            return false;
        }
    }
    if (point == std::string_view::npos || point == 0 || point + 1 == number.size()) return false;
    float magnitude = 0.0f;
    // Few enough digits for no range error: the exact conversion rounds what
    // the division cannot.
    if (!DivideThroughDouble(whole, number.size() - point - 1, magnitude)) {
        std::from_chars(number.data(), number.data() + number.size(), magnitude, std::chars_format::fixed);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace Corvanis
