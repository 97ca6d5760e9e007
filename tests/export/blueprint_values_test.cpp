// The text of every kind of blueprint value, and the names blueprints are
// written under.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>

#include "export/BlueprintFileName.h"
#include "export/BlueprintValues.h"

namespace {

using namespace Corvanis;

std::string Float(float value) {
    std::string text;
    AppendFloatValue(text, value);
    return text;
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
    // Large values are written with every digit of the float, where some C
    // runtimes' printf stops being exact.
    EXPECT_EQ(Float(1.0e20f), "100000002004087734272.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::max()), "340282346638528859811704183484516925440.000000");
    EXPECT_EQ(Float(std::numeric_limits<float>::denorm_min()), "0.000000");
}

#if !defined(_WIN32)
// glibc's printf is exact, so it can stand for the "C" locale's: every float
// pattern class (tiny, fractional, whole, huge) over a spread of bit patterns.
TEST(BlueprintValues, FloatsAcrossTheirRange_ResultInTheTextOfGlibcsPrintf) {
    for (std::uint64_t bits = 0; bits < 0x7F800000u; bits += 0x7FFFu) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        for (const float signedValue : {value, -value}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%f", static_cast<double>(signedValue));
            ASSERT_EQ(Float(signedValue), expected) << "bits " << std::hex << bits;
        }
    }
}
#endif

TEST(BlueprintValues, FloatsThatAreNotFinite_ResultInTheTextsOfPrintfOnLinux) {
    EXPECT_EQ(Float(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(Float(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(Float(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(Float(-std::numeric_limits<float>::quiet_NaN()), "-nan");
}

TEST(BlueprintValues, WholeNumbers_ResultInPlainDecimals) {
    std::string text;
    AppendUnsignedValue(text, 4294967295u);
    text += ',';
    AppendUnsignedValue(text, 18446744073709551615ull);
    text += ',';
    AppendUnsignedValue(text, 0);
    text += ',';
    AppendSignedValue(text, -2147483647 - 1);
    text += ',';
    AppendSignedValue(text, 42);
    EXPECT_EQ(text, "4294967295,18446744073709551615,0,-2147483648,42");
}

TEST(BlueprintValues, RawBytes_ResultInEachByteInHexWithoutLeadingZero) {
    const std::uint8_t bytes[] = {0x00, 0x0A, 0xFF, 0x10, 0x01};
    std::string text;
    AppendRawBytesValue(text, bytes, sizeof bytes);
    EXPECT_EQ(text, "0AFF101");
}

TEST(BlueprintValues, Texts_ResultInTheirBytesWithLineBreaksAsBlanks) {
    std::string text;
    AppendTextValue(text, "Alpha|Beta \xE4 %s");
    text += ',';
    AppendTextValue(text, "Line\r\nTwo\nThree\rFour");
    text += ',';
    AppendTextValue(text, nullptr);
    EXPECT_EQ(text, "Alpha|Beta \xE4 %s,Line  Two Three Four,");
}

TEST(BlueprintValues, ItemExtras_ResultInTheObjectsIdentityOrAQuestionMark) {
    std::string text;
    AppendItemExtraValue(text, reinterpret_cast<const void*>(std::uintptr_t{0x1F3C2A8B0}));
    text += ',';
    AppendItemExtraValue(text, nullptr);
    EXPECT_EQ(text, "1F3C2A8B0,?");
}

TEST(BlueprintFileNames, NamesWithReservedCharacters_ResultInSemicolonsForExactlyThoseCharacters) {
    EXPECT_EQ(SanitizeBlueprintFileName("a/b?.txt"), "a;b;.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("Alpha|Beta.txt"), "Alpha;Beta.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("\"*/<>?\\|.txt"), ";;;;;;;;.txt");
    EXPECT_EQ(SanitizeBlueprintFileName("C:Ship #1 (old) 100%.txt"), "C:Ship #1 (old) 100%.txt");
}

}  // namespace
