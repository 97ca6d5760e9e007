// The text of every kind of blueprint value, and the names blueprints are
// written under.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string_view>
#include <vector>

#include "export/BlueprintValues.h"
#include "format/BlueprintFileName.h"

namespace {

using namespace Corvanis;

std::string Float(float value) {
    char text[kFloatValueCapacity];
    return std::string(text, WriteFloatValue(text, value));
}

std::string Unsigned(std::uint64_t value) {
    char text[kNumberValueCapacity];
    return std::string(text, WriteUnsignedValue(text, value));
}

std::string Signed(std::int64_t value) {
    char text[kNumberValueCapacity];
    return std::string(text, WriteSignedValue(text, value));
}

std::string Text(std::string_view value) {
    std::string text(value.size(), '\0');
    text.resize(static_cast<std::size_t>(WriteTextValue(text.data(), value.data(), value.size()) - text.data()));
    return text;
}

std::string ItemExtra(const void* extra) {
    char text[kItemExtraValueCapacity];
    return std::string(text, WriteItemExtraValue(text, extra));
}

TEST(BlueprintValues, Floats_ResultInSixDecimalsAsTheCLocalesExactPrintfWritesThem) {
    EXPECT_EQ(Float(0.1f), "0.100000");
    EXPECT_EQ(Float(1.5f), "1.500000");
    EXPECT_EQ(Float(-0.25f), "-0.250000");
    EXPECT_EQ(Float(0.0f), "0.000000");
    EXPECT_EQ(Float(-0.0f), "-0.000000");
    EXPECT_EQ(Float(1.0e7f), "10000000.000000");
    EXPECT_EQ(Float(16777217.0f), "16777216.000000");
    EXPECT_EQ(Float(1.0e-7f), "0.000000");
    EXPECT_EQ(Float(-5.0e-7f), "-0.000000");
    EXPECT_EQ(Float(0.0000015f), "0.000002");
    EXPECT_EQ(Float(3.14159274f), "3.141593");
    // Exactly half a millionth over: rounded to the even neighbour.
    EXPECT_EQ(Float(0.0078125f), "0.007812");
    EXPECT_EQ(Float(0.0234375f), "0.023438");
    EXPECT_EQ(Float(-0.0390625f), "-0.039062");
    // Large values are written with every digit of the float, where some C
    // runtimes' printf stops being exact.
    EXPECT_EQ(Float(1.0e20f), "100000002004087734272.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::max()), "340282346638528859811704183484516925440.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::denorm_min()), "0.000000");
}

// The standard library's conversion is exact on every build; glibc's printf
// is exact too and stands for the "C" locale's. Both over a spread of bit
// patterns of every kind of float: tiny, fractional, whole and huge.
TEST(BlueprintValues, FloatsAcrossTheirRange_ResultInTheExactConversionsText) {
    for (std::uint64_t bits = 0; bits < 0x7F800000u; bits += 0x1FFFu) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        for (const float signedValue : {value, -value}) {
            char expected[64];
            const auto end = std::to_chars(expected, expected + sizeof expected, static_cast<double>(signedValue),
                                           std::chars_format::fixed, 6);
            ASSERT_EQ(Float(signedValue), std::string(expected, end.ptr)) << "bits " << std::hex << bits;
#if !defined(_WIN32)
            std::snprintf(expected, sizeof expected, "%f", static_cast<double>(signedValue));
            ASSERT_EQ(Float(signedValue), expected) << "bits " << std::hex << bits;
#endif
        }
    }
}

// Our text of the value against the standard library's exact conversion,
// without building a string for each of millions of values.
testing::AssertionResult WrittenExactly(float value) {
    char ours[kFloatValueCapacity];
    char exact[kFloatValueCapacity];
    const std::string_view written(ours, static_cast<std::size_t>(WriteFloatValue(ours, value) - ours));
    const auto end =
        std::to_chars(exact, exact + sizeof exact, static_cast<double>(value), std::chars_format::fixed, 6);
    const std::string_view expected(exact, static_cast<std::size_t>(end.ptr - exact));
    if (written == expected) return testing::AssertionSuccess();
    char bits[16];
    std::snprintf(bits, sizeof bits, "%08X", static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
    return testing::AssertionFailure() << "bits " << bits << ": wrote " << written << ", exactly " << expected;
}

// Every float of three whole binades: the smallest values that can round up
// to a millionth, values around 1, and the last values with a fraction,
// whose halves round to an even whole number.
TEST(BlueprintValues, EveryFloatOfTheBinadesAtTheEdgesOfRounding_ResultsInTheExactConversionsText) {
    for (const float first : {0x1p-21f, 1.0f, 0x1p22f}) {
        const std::uint32_t begin = std::bit_cast<std::uint32_t>(first);
        const std::uint32_t end = std::bit_cast<std::uint32_t>(first * 2.0f);
        for (std::uint32_t bits = begin; bits < end; ++bits) ASSERT_TRUE(WrittenExactly(std::bit_cast<float>(bits)));
    }
}

TEST(BlueprintValues, RandomFloatBitPatterns_ResultInTheExactConversionsText) {
    std::mt19937 random(20261206);
    for (int i = 0; i < 2'000'000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(value)) {
            ASSERT_TRUE(WrittenExactly(value));
        }
    }
}

TEST(BlueprintValues, FloatsThatAreNotFinite_ResultInTheTextsOfPrintfOnLinux) {
    EXPECT_EQ(Float(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(Float(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(Float(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(Float(-std::numeric_limits<float>::quiet_NaN()), "-nan");
}

TEST(BlueprintValues, WholeNumbers_ResultInPlainDecimals) {
    EXPECT_EQ(Unsigned(4294967295u), "4294967295");
    EXPECT_EQ(Unsigned(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(Unsigned(0), "0");
    EXPECT_EQ(Signed(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(Signed(42), "42");
}

// Around every change in the number of digits, and at every power of two,
// where a digit count worked out from the bit length could be one off.
TEST(BlueprintValues, WholeNumbersAtEveryLengthBoundary_ResultInTheStandardLibrarysDigits) {
    std::vector<std::uint64_t> values;
    std::uint64_t powerOfTen = 1;
    for (int exponent = 0; exponent < 20; ++exponent, powerOfTen *= 10) {
        values.insert(values.end(), {powerOfTen - 1, powerOfTen, powerOfTen + 1});
    }
    for (int bit = 0; bit < 64; ++bit) {
        const std::uint64_t power = std::uint64_t{1} << bit;
        values.insert(values.end(), {power - 1, power, power + 1});
    }
    values.push_back(UINT64_MAX);
    for (const std::uint64_t value : values) {
        char expected[kNumberValueCapacity];
        const auto end = std::to_chars(expected, expected + sizeof expected, value);
        EXPECT_EQ(Unsigned(value), std::string(expected, end.ptr)) << value;
    }
}

TEST(BlueprintValues, RawBytes_ResultInEachByteInHexWithoutLeadingZero) {
    const std::uint8_t bytes[] = {0x00, 0x0A, 0xFF, 0x10, 0x01};
    char text[RawBytesValueCapacity(sizeof bytes)];
    EXPECT_EQ(std::string(text, WriteRawBytesValue(text, bytes, sizeof bytes)), "0AFF101");
    std::uint8_t all[80];
    for (std::size_t i = 0; i < sizeof all; ++i) all[i] = 0xFF;
    char longest[RawBytesValueCapacity(sizeof all)];
    EXPECT_EQ(std::string(longest, WriteRawBytesValue(longest, all, sizeof all)), std::string(160, 'F'));

    std::uint8_t everyByte[256];
    std::string expected;
    for (int byte = 0; byte < 256; ++byte) {
        everyByte[byte] = static_cast<std::uint8_t>(255 - byte);
        char digits[4];
        std::snprintf(digits, sizeof digits, "%X", 255 - byte);
        expected += digits;
    }
    char everyText[RawBytesValueCapacity(sizeof everyByte)];
    EXPECT_EQ(std::string(everyText, WriteRawBytesValue(everyText, everyByte, sizeof everyByte)), expected);
}

TEST(BlueprintValues, Texts_ResultInTheirBytesWithLineBreaksAsBlanks) {
    EXPECT_EQ(Text("Alpha|Beta \xE4 %s"), "Alpha|Beta \xE4 %s");
    EXPECT_EQ(Text("Line\r\nTwo\nThree\rFour"), "Line  Two Three Four");
    EXPECT_EQ(Text(""), "");
}

TEST(BlueprintValues, ItemExtras_ResultInTheObjectsIdentityOrAQuestionMark) {
    EXPECT_EQ(ItemExtra(reinterpret_cast<const void*>(std::uintptr_t{0x1F3C2A8B0})), "1F3C2A8B0");
    EXPECT_EQ(ItemExtra(reinterpret_cast<const void*>(~std::uintptr_t{0})), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(ItemExtra(nullptr), "?");
}

TEST(BlueprintFileNames, NamesWithReservedCharacters_ResultInSemicolonsForExactlyThoseCharacters) {
    EXPECT_EQ(SanitizeBlueprintFileName("a/b?.txt"), "a;b;.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("Alpha|Beta.txt"), "Alpha;Beta.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("\"*/:<>?\\|.txt"), ";;;;;;;;;.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("Mk2: Rebirth #1 (old) 100%.txt"), "Mk2; Rebirth #1 (old) 100%.txt");
}

}  // namespace
