#include <charconv>
#include <limits>

#include "import/reading/NumberConversion.h"
#include "import/reading/NumberScan.h"

namespace Corvanis {

namespace {

struct Magnitude {
    ConversionResult result;
    std::uint64_t value;  // the number without its sign, when it converted
    bool negative;
};

// The digits after blanks, sign and (base 16) prefix, up to 2^64 - 1. Where
// "0x" has no hexadecimal digit after it, the "0" alone is the number.
Magnitude ReadMagnitude(std::string_view text, int base) {
    const NumberStart start = SkipBlanksAndSign(text);
    std::size_t at = start.position;
    if (base == 16 && HasHexPrefix(text, at)) at += 2;
    std::uint64_t value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value, base);
    const auto length = static_cast<std::size_t>(end - text.data());
    if (end == first) return {{ConversionStatus::NothingConverted, 0}, 0, false};
    if (error == std::errc::result_out_of_range) return {{ConversionStatus::OutOfRange, length}, 0, start.negative};
    return {{ConversionStatus::Converted, length}, value, start.negative};
}

ConversionResult OutOfRange(const Magnitude& number) { return {ConversionStatus::OutOfRange, number.result.length}; }

}  // namespace

ConversionResult ConvertLong(std::string_view text, int base, std::int32_t& value) {
    const Magnitude number = ReadMagnitude(text, base);
    if (number.result.status != ConversionStatus::Converted) return number.result;
    const std::uint64_t limit = number.negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (number.value > limit) return OutOfRange(number);
    const auto magnitude = static_cast<std::int64_t>(number.value);
    value = static_cast<std::int32_t>(number.negative ? -magnitude : magnitude);
    return number.result;
}

ConversionResult ConvertUnsignedLong(std::string_view text, int base, std::uint32_t& value) {
    const Magnitude number = ReadMagnitude(text, base);
    if (number.result.status != ConversionStatus::Converted) return number.result;
    if (number.value > std::numeric_limits<std::uint32_t>::max()) return OutOfRange(number);
    const auto magnitude = static_cast<std::uint32_t>(number.value);
    value = number.negative ? 0u - magnitude : magnitude;
    return number.result;
}

ConversionResult ConvertUnsignedLongLong(std::string_view text, int base, std::uint64_t& value) {
    const Magnitude number = ReadMagnitude(text, base);
    if (number.result.status != ConversionStatus::Converted) return number.result;
    value = number.negative ? 0u - number.value : number.value;
    return number.result;
}

}  // namespace Corvanis
