// The number conversions against the C library's own (CLibraryConversions.h)
// over many generated texts: blanks, signs, hexadecimal, exponents, huge and
// tiny values, the texts at the edges of every range and of float rounding,
// and garbage after the number.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "import/reading/NumberConversion.h"
#include "import/reading/internal/FastDecimals.h"
#include "support/CLibraryConversions.h"
#include "tests/support/CommaLocale.h"

namespace {

using namespace Corvanis;

// Texts of every kind a number reader meets, from a fixed seed.
class NumberTexts {
public:
    std::string Next() { return Blanks() + Sign() + Body() + Tail(); }

private:
    int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    template <std::size_t N>
    std::string Pick(const char* const (&choices)[N]) {
        return choices[Below(static_cast<int>(N))];
    }

    std::string Digits(int count, std::string_view alphabet = "0123456789") {
        std::string digits;
        for (int i = 0; i < count; ++i) digits += alphabet[static_cast<std::size_t>(Below(static_cast<int>(alphabet.size())))];
        return digits;
    }

    std::string Blanks() {
        static const char* const kBlanks[] = {"", "", "", "", " ", "\t", "\n", "\v", "\f", "\r", " \t\r\n", "\xA0", "\x1A", "\x85"};
        return Pick(kBlanks);
    }

    std::string Sign() {
        static const char* const kSigns[] = {"", "", "", "", "-", "+", "+-", "-+", "--"};
        return Pick(kSigns);
    }

    std::string Exponent(int maxDigits) {
        static const char* const kSigns[] = {"", "+", "-"};
        return Pick(kSigns) + Digits(1 + Below(maxDigits));
    }

    std::string Tail() {
        static const char* const kTails[] = {"", "", "", "", "abc", "e", "e+", "E-", "p3", ".", "x", "|Veltrane.vmf", " 5", "(", ")", "_1"};
        return Pick(kTails);
    }

    // The exact decimal text of a double, or the text cut short, or with a
    // digit more: the first is exact, the others just below or above it.
    std::string AroundExactly(double value) {
        char text[200];
        const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 120).ptr;
        std::string exact(text, end);
        const std::size_t mark = exact.find('e');
        switch (Below(3)) {
            case 0: return exact;
            case 1: return exact.substr(0, static_cast<std::size_t>(2 + Below(30))) + exact.substr(mark);
            default: return exact.substr(0, mark) + "1" + exact.substr(mark);
        }
    }

    // Floats where conversions go wrong: the smallest subnormals, the edge of
    // the normal range, the largest float, the values halfway between two
    // floats, and the boundaries of underflow and overflow.
    std::string FloatEdge() {
        static const std::uint32_t kEdges[] = {0x00000001, 0x00000002, 0x00000003, 0x007FFFFF, 0x00800000,
                                               0x00800001, 0x7F7FFFFF, 0x3F800000, 0x4B7FFFFF, 0x33800000};
        const std::uint32_t bits = Below(2) == 0 ? kEdges[Below(10)] : static_cast<std::uint32_t>(random_()) & 0x7FFFFFFF;
        const float value = std::bit_cast<float>(bits);
        if (!std::isfinite(value)) return "1";
        const float next = std::bit_cast<float>(bits + 1);
        switch (Below(4)) {
            case 0: return AroundExactly(value);
            case 1:
                if (!std::isfinite(next)) return AroundExactly(value);
                return AroundExactly((static_cast<double>(value) + next) / 2);
            case 2: return AroundExactly(std::ldexp(1.0, -126) - std::ldexp(1.0, -151));  // rounds up to normal
            default: return AroundExactly(std::ldexp(1.0, 128) - std::ldexp(1.0, 103));  // rounds up to infinity
        }
    }

    std::string Body() {
        static const char* const kIntegerEdges[] = {
            "2147483647", "2147483648", "2147483649", "4294967295", "4294967296", "9223372036854775807",
            "9223372036854775808", "18446744073709551615", "18446744073709551616", "99999999999999999999999",
            "0", "000000000000000000000000001", "7FFFFFFF", "80000000", "FFFFFFFF", "100000000", "1FFFFFFFF",
            "0xFFFFFFFF", "0x100000000", "FFFFFFFFFFFFFFFF", "10000000000000000", "0x0000000000000000001"};
        static const char* const kWords[] = {
            "inf", "INF", "Inf", "infinity", "INFINITY", "InFiNiTy", "infinit", "infin", "in", "nan", "NAN", "NaN",
            "nan()", "nan(abc_123)", "NAN(0x1F)", "nan(", "nan(a b)", "nan(-)", "na", "infinityx", "nanx"};
        static const char* const kOddities[] = {
            "", ".", "e5", ".e1", "0x", "0X", "0x.", "0xg", "0x.p1", "0xp1", "1e", "1e+", "1e-", "1.e5", ".5",
            "5.", "0x1p", "0x1p+", "0x.8", "00x1", "0x0x1", "0e99999999999", "1e-99999999999", "1e99999999999",
            "0x1p-99999999999", "0x1p99999999999", "0.0000000000000000000000000000000000000000000001",
            "0x\x0E" "1", "\x10x1", "0X.\x0E" "8", "1\x05" "5"};
        static const char* const kHexPrefixes[] = {"0x", "0X", ""};
        switch (Below(9)) {
            case 0: return Digits(1 + Below(24));
            case 1: return Pick(kIntegerEdges);
            case 2: return Pick(kHexPrefixes) + Digits(1 + Below(18), "0123456789abcdefABCDEF");
            case 3: {
                std::string text = Digits(Below(12));
                if (Below(2) == 0) text += "." + Digits(Below(12));
                if (Below(2) == 0) text += (Below(2) == 0 ? "e" : "E") + Exponent(3);
                return text;
            }
            case 4: return FloatEdge();
            case 5: {
                std::string text = "0x" + Digits(Below(20), "0123456789abcdefABCDEF");
                if (Below(2) == 0) text += "." + Digits(Below(20), "0123456789abcdef");
                if (Below(3) != 0) text += (Below(2) == 0 ? "p" : "P") + Exponent(3);
                return text;
            }
            case 6: return "0x1." + Digits(Below(8), "0123456789abcdef") + "p" + std::to_string(Below(40) - 165);
            case 7: return Pick(kWords);
            default: return Pick(kOddities);
        }
    }

    std::mt19937 random_{20261206};
};

TEST(NumberConversions, GeneratedTexts_ResultAsTheCLibrarysConversionsWithA32BitLong) {
    ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    NumberTexts texts;
    int differences = 0;
    for (int i = 0; i < 200'000 && differences < 20; ++i) {
        const std::string text = texts.Next();
        for (const std::string& difference : dev_support::ConversionDifferences(text)) {
            ++differences;
            ADD_FAILURE() << "\"" << testing::PrintToString(text) << "\": " << difference;
        }
    }
}

TEST(NumberConversions, AProcessLocaleWithDecimalCommas_ChangesNoResult) {
    const std::string locale = corvanis_test::CommaLocale();
    if (locale.empty()) GTEST_SKIP() << "this system has no locale that writes decimal commas";
    ASSERT_NE(std::setlocale(LC_ALL, locale.c_str()), nullptr);
    float inLocale = 0.0f;
    const ConversionResult result = ConvertFloat("1.500000", inLocale);
    float hexInLocale = 0.0f;
    ConvertFloat("0x1.8p1", hexInLocale);
    // The C library reads only "1" of the same text in this locale.
    const float libraryInLocale = std::strtof("1.500000", nullptr);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(result.status, ConversionStatus::Converted);
    EXPECT_EQ(result.length, 8u);
    EXPECT_EQ(inLocale, 1.5f);
    EXPECT_EQ(hexInLocale, 3.0f);
    EXPECT_EQ(libraryInLocale, 1.0f);
}

TEST(NumberConversions, TextsAtTheEdgesOfFloatRange_ResultInRangeErrorsBeyondTheNormalFloats) {
    const struct {
        const char* text;
        ConversionStatus status;
    } cases[] = {
        {"3.4028235e38", ConversionStatus::Converted},
        {"3.40282357e38", ConversionStatus::OutOfRange},  // rounds up to infinity
        {"0x1.fffffep127", ConversionStatus::Converted},
        {"0x1.ffffffp127", ConversionStatus::OutOfRange},
        {"1.17549435e-38", ConversionStatus::Converted},  // the smallest normal float
        {"1.1754943e-38", ConversionStatus::Converted},   // rounds up to it
        {"1e-40", ConversionStatus::OutOfRange},          // subnormal
        {"0x1p-149", ConversionStatus::OutOfRange},       // subnormal, though exact
        {"1e-50", ConversionStatus::OutOfRange},          // non-zero digits that come out zero
        {"0.000e-99999", ConversionStatus::Converted},    // zero digits are zero
        {"0x0.0p-99999", ConversionStatus::Converted},
    };
    for (const auto& edge : cases) {
        float value = 0.0f;
        EXPECT_EQ(ConvertFloat(edge.text, value).status, edge.status) << edge.text;
    }
}

// The texts the exporter writes (six decimals), and the same texts with
// fewer or more decimals, which hand edits make, of floats across every
// exponent a ship's numbers have, and of the values just beside the point
// where a whole number stops fitting a float.
TEST(NumberConversions, TheExportersTextsOfEveryMagnitude_ResultAsStrtof) {
    ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    std::mt19937 random(20261208);
    int differences = 0;
    for (int i = 0; i < 200'000 && differences < 20; ++i) {
        const int exponent = static_cast<int>(random() % 60) - 30;
        const auto mantissa = static_cast<std::uint32_t>(random());
        float value = std::ldexp(static_cast<float>(mantissa & 0xFFFFFF), exponent - 24);
        if (i % 2 == 0) value = -value;
        if (i % 7 == 0) value = static_cast<float>((1 << 24) + static_cast<int>(random() % 64) - 32) / 1e6f;
        char text[80];
        const int decimals = i % 5 == 0 ? static_cast<int>(random() % 12) : 6;
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        const dev_support::ConversionOutcome ours = dev_support::OurFloat(text);
        const dev_support::ConversionOutcome theirs = dev_support::TheirFloat(text);
        if (ours != theirs) {
            ++differences;
            ADD_FAILURE() << "strtof of \"" << text << "\": ours " << dev_support::Describe(ours)
                          << ", the C library's " << dev_support::Describe(theirs);
        }
    }
}

// The short way for the texts the exporter writes (an optional '-', digits, a
// point, digits, 18 digits at most) gives ConvertFloat's value for each of
// them: decimals of every length, the exact values halfway between two
// floats, which the division it takes cannot round, and the values just
// beside them; and it leaves every other text to ConvertFloat.
class PlainDecimals {
public:
    std::string Next() {
        std::string text;
        switch (Below(4)) {
            case 0: text = Halfway(); break;
            case 1: text = BesideHalfway(); break;
            case 2: {
                char written[80];
                const float value = std::ldexp(static_cast<float>(random_() & 0xFFFFFF), Below(50) - 40);
                std::snprintf(written, sizeof written, "%.6f", static_cast<double>(value));
                text = written;
                if (text.size() > 19) text = "1.5";
                break;
            }
            default: {
                const int integer = 1 + Below(17);
                text = Digits(integer) + "." + Digits(1 + Below(18 - integer));
            }
        }
        return Below(2) == 0 ? "-" + text : text;
    }

private:
    int Below(int count) { return static_cast<int>(random_() % static_cast<std::uint32_t>(count)); }

    std::string Digits(int count) {
        std::string digits;
        for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
        return digits;
    }

    // Halfway between the floats S * 2^e and (S + 1) * 2^e, S of 24 bits:
    // (2S + 1) * 2^(e - 1), written exactly. Below 1, 2^-k is 5^k / 10^k.
    std::string Halfway() {
        const std::uint64_t odd = 2 * ((std::uint64_t{1} << 23) | (random_() & 0x7FFFFF)) + 1;
        const int exponent = Below(44) - 13;
        if (exponent >= 0) return std::to_string(odd << exponent) + ".0";
        std::uint64_t digits = odd;
        for (int i = 0; i < -exponent; ++i) digits *= 5;
        std::string text = std::to_string(digits);
        const std::size_t decimals = static_cast<std::size_t>(-exponent);
        if (text.size() <= decimals) text.insert(0, decimals + 1 - text.size(), '0');
        text.insert(text.size() - decimals, ".");
        return text;
    }

    // The decimals of 15 to 17 digits next to a halfway value of many more
    // digits, below and above it: where a double holds the text's value no
    // closer than the halfway value itself, one division cannot round it.
    std::string BesideHalfway() {
        const std::uint64_t odd = 2 * ((std::uint64_t{1} << 23) | (random_() & 0x7FFFFF)) + 1;
        const int exponent = 1 + Below(24);
        // odd * 2^-exponent is odd * 5^exponent / 10^exponent.
        std::string exact = std::to_string(odd);
        for (int i = 0; i < exponent; ++i) {
            int carry = 0;
            for (auto digit = exact.rbegin(); digit != exact.rend(); ++digit) {
                const int product = (*digit - '0') * 5 + carry;
                *digit = static_cast<char>('0' + product % 10);
                carry = product / 10;
            }
            if (carry != 0) exact.insert(exact.begin(), static_cast<char>('0' + carry));
        }
        const std::size_t integerDigits = exact.size() - static_cast<std::size_t>(exponent);
        std::string text = exact.substr(0, std::min(exact.size(), static_cast<std::size_t>(15 + Below(3))));
        if (text.size() < exact.size() && Below(2) == 0) {
            auto digit = text.rbegin();
            for (; digit != text.rend() && *digit == '9'; ++digit) *digit = '0';
            if (digit == text.rend()) return exact.substr(0, integerDigits) + ".0";
            ++*digit;
        }
        if (text.size() <= integerDigits) return text + std::string(integerDigits - text.size(), '0') + ".0";
        return text.insert(integerDigits, ".");
    }

    std::mt19937 random_{20261210};
};

TEST(NumberConversions, PlainDecimals_TakeTheShortWay_WithTheValueOfConvertFloatAndOfStrtof) {
    ASSERT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    PlainDecimals texts;
    int differences = 0;
    for (int i = 0; i < 300'000 && differences < 20; ++i) {
        const std::string text = texts.Next();
        float plain = 7.0f;
        const bool taken = ConvertPlainDecimal(text, plain);
        const dev_support::ConversionOutcome shortWay{ConversionStatus::Converted, text.size(),
                                                      std::bit_cast<std::uint32_t>(plain)};
        const dev_support::ConversionOutcome general = dev_support::OurFloat(text);
        const dev_support::ConversionOutcome library = dev_support::TheirFloat(text);
        const bool asTheLibrary = shortWay == library || dev_support::KnownDifference(shortWay, library);
        if (!taken || shortWay != general || !asTheLibrary) {
            ++differences;
            ADD_FAILURE() << "\"" << text << "\": " << (taken ? "" : "not taken, ") << dev_support::Describe(shortWay)
                          << " beside ConvertFloat's " << dev_support::Describe(general) << " and strtof's "
                          << dev_support::Describe(library);
        }
    }
}

TEST(NumberConversions, TextsOtherThanPlainDecimals_AreLeftToConvertFloat) {
    for (const char* text : {"", "-", ".", "1", "12", "1.", ".5", "-.5", "+1.5", " 1.5", "1.5 ", "1.5x", "--1.5",
                             "1..5", "1.5.", "1,5", "1e5", "1.5e1", "0x1.8", "inf", "nan", "-inf",
                             "1234567890.123456789", "-1234567890.123456789"}) {
        float value = 7.0f;
        EXPECT_FALSE(ConvertPlainDecimal(text, value)) << text;
        EXPECT_EQ(value, 7.0f) << text;
    }
}

}  // namespace
