#include "export/BlueprintValues.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "forms/HexText.h"

namespace Corvanis {

namespace {

char* Copy(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

// "00" to "99", two characters each.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Each byte in upper-case hexadecimal without leading zero, two characters
// each: "0" (padded), "A" (padded), "1F", "FF".
constexpr auto kByteTexts = [] {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::array<char, 512> texts{};
    for (int byte = 0; byte < 256; ++byte) {
        const auto at = static_cast<std::size_t>(2 * byte);
        texts[at] = byte > 0xF ? kDigits[byte >> 4] : kDigits[byte];
        texts[at + 1] = byte > 0xF ? kDigits[byte & 0xF] : ' ';
    }
    return texts;
}();

char* CopyPair(char* out, std::uint32_t pair) {
    std::memcpy(out, &kDigitPairs[2 * pair], 2);
    return out + 2;
}

constexpr auto kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The number of decimal digits of a value of 10 or more. 1233 / 4096 is just
// over log10(2): the bit length gives the count or one less.
int DecimalLength(std::uint64_t value) {
    const int estimate = (std::bit_width(value) * 1233) >> 12;
    return estimate + (value >= kPowersOfTen[static_cast<std::size_t>(estimate)] ? 1 : 0);
}

// Decimal digits, two at a time from the last: a blueprint holds tens of
// thousands of numbers.
char* WriteDecimal(char* out, std::uint64_t value) {
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    char* const end = out + DecimalLength(value);
    char* next = end;
    // Remainders by subtraction: asked for quotient and remainder together,
    // compilers emit a slow division instruction.
    while (value >= 100) {
        const std::uint64_t quotient = value / 100;
        next -= 2;
        std::memcpy(next, &kDigitPairs[2 * (value - quotient * 100)], 2);
        value = quotient;
    }
    if (value >= 10) {
        std::memcpy(next - 2, &kDigitPairs[2 * value], 2);
    } else {
        next[-1] = static_cast<char>('0' + value);
    }
    return end;
}

const char* NonFiniteText(float value) {
    if (std::isinf(value)) return std::signbit(value) ? "-inf" : "inf";
    return std::signbit(value) ? "-nan" : "nan";
}

// A float is m * 2^e with a 24-bit m. For -44 <= e < 0 its whole part is m
// shifted right by -e, and its six decimals are the remaining bits f times
// 10^6 / 2^-e, rounded half to even on the exact value as printf rounds:
// f * 10^6 stays below 2^64 and the division is a shift. Below that range
// the value is under half a millionth, and from e = 0 on it is whole.
constexpr int kMantissaBits = 23;
constexpr int kExponentBias = 127 + kMantissaBits;
constexpr int kMaxFractionShift = 44;
constexpr std::uint32_t kMillion = 1000000;

struct FloatParts {
    std::uint64_t mantissa;
    int exponent;
};

FloatParts SplitFloat(std::uint32_t bits) {
    const int biasedExponent = static_cast<int>((bits >> kMantissaBits) & 0xFF);
    const std::uint64_t fraction = bits & ((std::uint32_t{1} << kMantissaBits) - 1);
    // Subnormals have no implicit leading bit and the smallest exponent.
    if (biasedExponent == 0) return {fraction, 1 - kExponentBias};
    return {fraction | (std::uint64_t{1} << kMantissaBits), biasedExponent - kExponentBias};
}

// `fraction` / 2^shift in millionths, from 0 to 10^6 inclusive.
std::uint32_t Millionths(std::uint64_t fraction, int shift) {
    const std::uint64_t product = fraction * kMillion;
    const std::uint64_t quotient = product >> shift;
    const std::uint64_t remainder = product & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    // One more when the remainder is over half, or exactly half and the
    // quotient odd: the sum then reaches 2^shift, and never 2^(shift + 1).
    return static_cast<std::uint32_t>(quotient + ((remainder + (quotient & 1) + half - 1) >> shift));
}

// Most whole parts in a blueprint have one or two digits.
char* WriteWholePart(char* out, std::uint64_t whole) {
    if (whole < 10) {
        *out = static_cast<char>('0' + whole);
        return out + 1;
    }
    if (whole < 100) return CopyPair(out, static_cast<std::uint32_t>(whole));
    return WriteDecimal(out, whole);
}

char* WriteSixDecimals(char* out, std::uint32_t millionths) {
    const std::uint32_t first = millionths / 10000;
    const std::uint32_t rest = millionths - first * 10000;
    const std::uint32_t second = rest / 100;
    out = CopyPair(out, first);
    out = CopyPair(out, second);
    return CopyPair(out, rest - second * 100);
}

inline char* WriteFixed(char* out, bool negative, std::uint64_t whole, std::uint32_t millionths) {
    *out = '-';
    out += negative ? 1 : 0;
    out = WriteWholePart(out, whole);
    *out++ = '.';
    return WriteSixDecimals(out, millionths);
}

// Values from 2^23 on, which are whole, and those that are not finite.
// Whole values from 2^63 on are too long for a machine word.
char* WriteLargeFloat(char* out, float value, const FloatParts& parts) {
    if (!std::isfinite(value)) return Copy(out, NonFiniteText(value));
    if (parts.exponent > 63 - (kMantissaBits + 1)) {
        return std::to_chars(out, out + kFloatValueCapacity, static_cast<double>(value), std::chars_format::fixed, 6)
            .ptr;
    }
    return WriteFixed(out, std::signbit(value), parts.mantissa << parts.exponent, 0);
}

}  // namespace

char* WriteFloatValue(char* out, float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const FloatParts parts = SplitFloat(bits);
    const bool negative = (bits >> 31) != 0;
    if (parts.exponent >= 0) return WriteLargeFloat(out, value, parts);
    if (parts.exponent < -kMaxFractionShift) return WriteFixed(out, negative, 0, 0);
    const int shift = -parts.exponent;
    std::uint64_t whole = parts.mantissa >> shift;
    std::uint32_t millionths = Millionths(parts.mantissa & ((std::uint64_t{1} << shift) - 1), shift);
    // A fraction that rounds up to a whole one carries into the whole part.
    if (millionths == kMillion) {
        ++whole;
        millionths = 0;
    }
    return WriteFixed(out, negative, whole, millionths);
}

char* WriteUnsignedValue(char* out, std::uint64_t value) { return WriteDecimal(out, value); }

char* WriteSignedValue(char* out, std::int64_t value) {
    if (value >= 0) return WriteDecimal(out, static_cast<std::uint64_t>(value));
    *out++ = '-';
    return WriteDecimal(out, ~static_cast<std::uint64_t>(value) + 1);
}

char* WriteTextValue(char* out, const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        *out++ = c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

char* WriteRawBytesValue(char* out, const std::uint8_t* bytes, std::size_t count) {
    // Both characters of a byte's text are stored whatever its length; a
    // one-digit text's second character is overwritten by what follows, and
    // the texts never reach past two characters per byte.
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        std::memcpy(out, &kByteTexts[2 * byte], 2);
        out += byte > 0xF ? 2 : 1;
    }
    return out;
}

char* WriteRawBytesTwoDigitsValue(char* out, const std::uint8_t* bytes, std::size_t count) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        *out++ = kDigits[bytes[i] >> 4];
        *out++ = kDigits[bytes[i] & 0xF];
    }
    return out;
}

char* WriteItemExtraValue(char* out, const void* itemExtra) {
    if (itemExtra == nullptr) {
        *out++ = '?';
        return out;
    }
    return out + WriteHexText(reinterpret_cast<std::uintptr_t>(itemExtra), out);
}

}  // namespace Corvanis
