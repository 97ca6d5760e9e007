#include <charconv>
#include <cstdint>
#include <iterator>
#include <cmath>
#include <limits>

#include "import/reading/NumberConversion.h"
#include "import/reading/NumberScan.h"
#include "import/reading/internal/FastDecimals.h"

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
