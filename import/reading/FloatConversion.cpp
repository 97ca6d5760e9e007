#include <bit>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <cmath>
#include <limits>

#include "import/reading/NumberConversion.h"
#include "import/reading/NumberScan.h"

namespace Corvanis {

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerCaseWord) {
    if (text.size() < lowerCaseWord.size()) return false;
    for (std::size_t i = 0; i < lowerCaseWord.size(); ++i) {
        if (LowerCase(text[i]) != lowerCaseWord[i]) return false;
    }
    return true;
}

// "nan" followed by "(", letters, digits and '_', ")" takes the parenthesis
// along; without the closing one it is "nan" alone.
std::size_t NanLength(std::string_view text) {
    std::size_t at = 3;
    if (at >= text.size() || text[at] != '(') return at;
    for (++at; at < text.size(); ++at) {
        const char c = text[at];
        if (c == ')') return at + 1;
        if (!(IsDigit(c) || (LowerCase(c) >= 'a' && LowerCase(c) <= 'z') || c == '_')) break;
    }
    return 3;
}

template <class IsDigitOfBase>
std::size_t DigitsFrom(std::string_view text, std::size_t at, IsDigitOfBase isDigit) {
    while (at < text.size() && isDigit(text[at])) ++at;
    return at;
}

// The extent of a number's digits with an optional point (at least one
// digit), then of its exponent when the mark has a digit after it (with an
// optional sign).
struct NumberExtent {
    std::string_view mantissa;  // the digits and the point
    std::size_t end;
};

template <class IsDigitOfBase>
NumberExtent MeasureNumber(std::string_view text, std::size_t at, IsDigitOfBase isDigit, char exponentMark) {
    const std::size_t begin = at;
    at = DigitsFrom(text, at, isDigit);
    if (at < text.size() && text[at] == '.') at = DigitsFrom(text, at + 1, isDigit);
    const std::string_view mantissa = text.substr(begin, at - begin);
    if (at < text.size() && LowerCase(text[at]) == exponentMark) {
        std::size_t digits = at + 1;
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
        if (digits < text.size() && IsDigit(text[digits])) at = DigitsFrom(text, digits, [](char c) { return IsDigit(c); });
    }
    return {mantissa, at};
}

// A decimal mantissa whose digits, its fraction's trailing zeros left out,
// make a whole number below 2^24, with at most ten digits of fraction left:
// both that number and the power of ten are floats exactly, and one float
// division rounds their quotient as an exact conversion does. The exporter
// writes most numbers so ("1.500000", "-0.250000", "180.000000"): this took
// the reading of the large ship's 5,000 decoration items from 4.9 to 4.5 ms.
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

bool HasNonZeroDigit(std::string_view mantissa) {
    return mantissa.find_first_not_of("0.") != std::string_view::npos;
}

// The number from `at`, decimal or (after "0x") hexadecimal, converted by the
// standard library's exact conversion. A value beyond the float range, or a
// non-zero number that comes out zero or subnormal, is out of range.
ConversionResult ConvertDigits(std::string_view text, std::size_t at, bool hexadecimal, float& magnitude) {
    const std::size_t digits = hexadecimal ? at + 2 : at;
    // Lambdas, not the functions themselves: the test inlines into the loop.
    const NumberExtent extent = hexadecimal ? MeasureNumber(text, digits, [](char c) { return IsHexDigit(c); }, 'p')
                                            : MeasureNumber(text, digits, [](char c) { return IsDigit(c); }, 'e');
    const char* const first = text.data() + digits;
    const char* const last = text.data() + extent.end;
    const bool hasExponent = last != extent.mantissa.data() + extent.mantissa.size();
    if (!hexadecimal && !hasExponent && ConvertShortDecimal(extent.mantissa, magnitude)) {
        return {ConversionStatus::Converted, extent.end};
    }
    float converted = 0.0f;
    const auto [end, error] = std::from_chars(first, last, converted,
                                              hexadecimal ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::result_out_of_range) return {ConversionStatus::OutOfRange, extent.end};
    if (error != std::errc() || end != last) return {ConversionStatus::NothingConverted, 0};
    if (converted < std::numeric_limits<float>::min() && HasNonZeroDigit(extent.mantissa)) {
        return {ConversionStatus::OutOfRange, extent.end};
    }
    magnitude = converted;
    return {ConversionStatus::Converted, extent.end};
}

}  // namespace

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

ConversionResult ConvertFloat(std::string_view text, float& value) {
    const NumberStart start = SkipBlanksAndSign(text);
    const std::size_t at = start.position;
    const std::string_view rest = text.substr(at);
    const float sign = start.negative ? -1.0f : 1.0f;
    if (StartsWithIgnoringCase(rest, "inf")) {
        value = sign * std::numeric_limits<float>::infinity();
        return {ConversionStatus::Converted, at + (StartsWithIgnoringCase(rest, "infinity") ? 8 : 3)};
    }
    if (StartsWithIgnoringCase(rest, "nan")) {
        value = std::copysign(std::numeric_limits<float>::quiet_NaN(), sign);
        return {ConversionStatus::Converted, at + NanLength(rest)};
    }
    // "0x" counts as a prefix only with a hexadecimal digit after it (or
    // after a point); otherwise the "0" is the number.
    const bool hexadecimal =
        HasHexPrefix(text, at) || (StartsWithIgnoringCase(rest, "0x.") && rest.size() > 3 && IsHexDigit(rest[3]));
    const bool decimal = !rest.empty() && (IsDigit(rest[0]) || (rest[0] == '.' && rest.size() > 1 && IsDigit(rest[1])));
    if (!hexadecimal && !decimal) return {ConversionStatus::NothingConverted, 0};
    float magnitude = 0.0f;
    const ConversionResult result = ConvertDigits(text, at, hexadecimal, magnitude);
    if (result.status == ConversionStatus::Converted) value = sign * magnitude;
    return result;
}

}  // namespace Corvanis
