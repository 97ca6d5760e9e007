#include "support/CLibraryConversions.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dev_support {

namespace {

using Corvanis::ConversionResult;
using Corvanis::ConversionStatus;

// Any NaN stands for all NaNs of its sign: payloads are not read.
std::uint64_t FloatBits(float value) {
    if (std::isnan(value)) return std::signbit(value) ? 0xFFC00000u : 0x7FC00000u;
    return std::bit_cast<std::uint32_t>(value);
}

bool IsSubnormal(std::uint64_t floatBits) {
    return std::fpclassify(std::bit_cast<float>(static_cast<std::uint32_t>(floatBits))) == FP_SUBNORMAL;
}

// Our outcome of converting the text with one of the conversions.
template <class Number>
ConversionOutcome Ours(ConversionResult (*convert)(std::string_view, int, Number&), const std::string& text,
                       int base) {
    Number value{};
    const ConversionResult result = convert(text, base, value);
    if (result.status != ConversionStatus::Converted) return {result.status, result.length, 0};
    return {result.status, result.length, static_cast<std::uint64_t>(value)};
}

// The C library's outcome from its end pointer and errno.
ConversionOutcome Theirs(const std::string& text, const char* end, bool outOfRange, std::uint64_t bits) {
    const auto length = static_cast<std::size_t>(end - text.c_str());
    if (length == 0) return {ConversionStatus::NothingConverted, 0, 0};
    if (outOfRange) return {ConversionStatus::OutOfRange, length, 0};
    return {ConversionStatus::Converted, length, bits};
}

ConversionOutcome TheirLong(const std::string& text, int base) {
    char* end = nullptr;
    errno = 0;
#if defined(_WIN32)
    const long value = std::strtol(text.c_str(), &end, base);
    const bool outOfRange = errno == ERANGE;
#else
    const long long value = std::strtoll(text.c_str(), &end, base);
    const bool outOfRange = errno == ERANGE || value < INT32_MIN || value > INT32_MAX;
#endif
    return Theirs(text, end, outOfRange, static_cast<std::uint64_t>(static_cast<std::int32_t>(value)));
}

ConversionOutcome TheirUnsignedLong(const std::string& text, int base) {
    char* end = nullptr;
    errno = 0;
#if defined(_WIN32)
    const unsigned long value = std::strtoul(text.c_str(), &end, base);
    const bool outOfRange = errno == ERANGE;
#else
    // strtoul negates the magnitude in the width of long.
    const char* first = text.c_str();
    while (*first != '\0' && std::strchr(" \t\n\v\f\r", *first) != nullptr) ++first;
    std::uint32_t value = 0;
    bool outOfRange = false;
    if (*first == '-') {
        const long long negative = std::strtoll(text.c_str(), &end, base);
        outOfRange = errno == ERANGE || negative < -static_cast<long long>(UINT32_MAX);
        value = static_cast<std::uint32_t>(negative);
    } else {
        const unsigned long long positive = std::strtoull(text.c_str(), &end, base);
        outOfRange = errno == ERANGE || positive > UINT32_MAX;
        value = static_cast<std::uint32_t>(positive);
    }
#endif
    return Theirs(text, end, outOfRange, static_cast<std::uint32_t>(value));
}

ConversionOutcome TheirUnsignedLongLong(const std::string& text, int base) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, base);
    return Theirs(text, end, errno == ERANGE, value);
}

}  // namespace

ConversionOutcome OurFloat(const std::string& text) {
    float value = 0.0f;
    const ConversionResult result = Corvanis::ConvertFloat(text, value);
    if (result.status != ConversionStatus::Converted) return {result.status, result.length, 0};
    return {result.status, result.length, FloatBits(value)};
}

ConversionOutcome TheirFloat(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    return Theirs(text, end, errno == ERANGE, FloatBits(value));
}

std::string Describe(const ConversionOutcome& outcome) {
    const char* const names[] = {"converted", "nothing converted", "out of range"};
    std::string text = std::string(names[static_cast<int>(outcome.status)]) + ", length " +
                       std::to_string(outcome.length);
    if (outcome.status == ConversionStatus::Converted) {
        char bits[32];
        std::snprintf(bits, sizeof bits, ", bits 0x%llx", static_cast<unsigned long long>(outcome.bits));
        text += bits;
    }
    return text;
}

// All of them but the NaN's lie below the smallest normal float,
// 1.17549435e-38, which no blueprint the exporter writes holds: it writes six
// decimals.
bool KnownDifference(const ConversionOutcome& ours, const ConversionOutcome& theirs) {
    // A number that comes out subnormal is a range error here. glibc leaves
    // out exact subnormals (hexadecimal texts, or a hundred decimal digits)
    // and hexadecimal texts whose first digit lost to rounding is a 0;
    // mingw-w64's strtof reports no hexadecimal subnormal at all.
    if (ours.status == ConversionStatus::OutOfRange && theirs.status == ConversionStatus::Converted &&
        IsSubnormal(theirs.bits)) {
        return true;
    }
    // glibc judges tininess before it rounds to the subnormal precision: a
    // text just below the smallest normal float that rounds up to it is a
    // range error there. Here the float that comes out decides.
    constexpr std::uint32_t kSmallestNormal = 0x00800000;
    if (ours.status == ConversionStatus::Converted && (ours.bits & 0x7FFFFFFF) == kSmallestNormal &&
        theirs.status == ConversionStatus::OutOfRange) {
        return true;
    }
    // glibc reads the characters of "nan(...)" as a number, the NaN's
    // payload, and lets that number's range error stand (for a payload of
    // 2^64 or more); the game's platform, mingw-w64 too, reads the same NaN
    // without one.
    if (ours.status == ConversionStatus::Converted && theirs.status == ConversionStatus::OutOfRange &&
        ours.length == theirs.length && std::isnan(std::bit_cast<float>(static_cast<std::uint32_t>(ours.bits)))) {
        return true;
    }
#if defined(_WIN32)
    // msvcrt reads "0x" without a hexadecimal digit after it as nothing
    // converted, where the C standard (and glibc) reads its "0". Either way
    // the value is 0, which every reader takes as no form or a failed value.
    if (ours.status == ConversionStatus::Converted && ours.bits == 0 &&
        theirs.status == ConversionStatus::NothingConverted) {
        return true;
    }
    // mingw-w64's strtof takes any characters up to ')' into "nan(...)",
    // where the C standard allows letters, digits and '_'. The value is the
    // same NaN; only the unread rest differs, which no reader looks at.
    if (ours.status == ConversionStatus::Converted && theirs.status == ConversionStatus::Converted &&
        ours.bits == theirs.bits && std::isnan(std::bit_cast<float>(static_cast<std::uint32_t>(ours.bits)))) {
        return true;
    }
    // mingw-w64's strtof turns some texts exactly halfway between two
    // subnormals into the smallest normal float, without a range error.
    if (ours.status == ConversionStatus::OutOfRange && theirs.status == ConversionStatus::Converted &&
        (theirs.bits & 0x7FFFFFFF) == kSmallestNormal) {
        return true;
    }
#endif
    return false;
}

std::vector<std::string> ConversionDifferences(const std::string& text) {
    std::vector<std::string> differences;
    // Names are made only for a difference: fuzzing asks this of every line.
    const auto check = [&](const char* routine, const char* base, const ConversionOutcome& ours,
                           const ConversionOutcome& theirs) {
        if (ours == theirs || KnownDifference(ours, theirs)) return;
        differences.push_back(std::string(routine) + base + ": ours " + Describe(ours) + ", the C library's " +
                              Describe(theirs));
    };
    for (const int base : {10, 16}) {
        const char* suffix = base == 10 ? " 10" : " 16";
        check("strtol", suffix, Ours(Corvanis::ConvertLong, text, base), TheirLong(text, base));
        check("strtoul", suffix, Ours(Corvanis::ConvertUnsignedLong, text, base), TheirUnsignedLong(text, base));
        check("strtoull", suffix, Ours(Corvanis::ConvertUnsignedLongLong, text, base),
              TheirUnsignedLongLong(text, base));
    }
    check("strtof", "", OurFloat(text), TheirFloat(text));
    return differences;
}

}  // namespace dev_support
