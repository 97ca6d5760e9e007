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

char* CopyPair(char* out, std::uint32_t pair) {
    std::memcpy(out, &kDigitPairs[2 * pair], 2);
    return out + 2;
}

// Decimal digits, two at a time from the last: a blueprint holds tens of
// thousands of numbers.
char* WriteDecimal(char* out, std::uint64_t value) {
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    int length = 2;
    for (std::uint64_t limit = 100; length < 20 && value >= limit; limit *= 10) ++length;
    char* next = out + length;
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
    return out + length;
}

const char* NonFiniteText(float value) {
    if (std::isinf(value)) return std::signbit(value) ? "-inf" : "inf";
    return std::signbit(value) ? "-nan" : "nan";
}

// A finite float split into its whole part and its six decimals, rounded
// half to even on the exact value as printf rounds. A float is m * 2^e with
// a 24-bit m: for e < 0 the product m * 10^6 < 2^44 is exact and dividing it
// by 2^-e is a shift; for e >= 0 the value is whole. False for values of
// 2^63 and more, which are left to the standard library.
struct FixedParts {
    std::uint64_t whole;
    std::uint32_t millionths;
};

bool SplitFixed(std::uint32_t bits, FixedParts& parts) {
    const int biasedExponent = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint64_t mantissa = (bits & 0x7FFFFF) | (biasedExponent != 0 ? 0x800000 : 0);
    const int exponent = (biasedExponent != 0 ? biasedExponent : 1) - 150;
    if (exponent >= 0) {
        if (exponent > 39) return false;
        parts = {mantissa << exponent, 0};
        return true;
    }
    const int shift = -exponent;
    std::uint64_t scaled = 0;
    // Shifted by more than 44 bits the product is less than half a millionth.
    if (shift <= 44) {
        const std::uint64_t product = mantissa * 1000000;
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        const std::uint64_t remainder = product & ((half << 1) - 1);
        scaled = product >> shift;
        if (remainder > half || (remainder == half && (scaled & 1) != 0)) ++scaled;
    }
    const std::uint64_t whole = scaled / 1000000;
    parts = {whole, static_cast<std::uint32_t>(scaled - whole * 1000000)};
    return true;
}

}  // namespace

char* WriteFloatValue(char* out, float value) {
    if (!std::isfinite(value)) return Copy(out, NonFiniteText(value));
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    FixedParts parts{};
    if (!SplitFixed(bits, parts)) {
        return std::to_chars(out, out + kFloatValueCapacity, static_cast<double>(value), std::chars_format::fixed, 6)
            .ptr;
    }
    if ((bits >> 31) != 0) *out++ = '-';
    out = WriteDecimal(out, parts.whole);
    *out++ = '.';
    const std::uint32_t first = parts.millionths / 10000;
    const std::uint32_t rest = parts.millionths - first * 10000;
    const std::uint32_t second = rest / 100;
    out = CopyPair(out, first);
    out = CopyPair(out, second);
    return CopyPair(out, rest - second * 100);
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
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] > 0xF) *out++ = kDigits[bytes[i] >> 4];
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
