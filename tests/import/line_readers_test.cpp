// The line readers on the lines players' blueprints hold. Keys, indices and
// values come from the line's parts (split at the first '|'), so a name that
// holds '|', brackets or key texts keeps its whole text and steers nothing; a
// form reference is read from the end of the whole line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "import/reading/LineReaders.h"

namespace {

using namespace Corvanis;

BlueprintLine Line(std::string_view text) { return BlueprintLine(text); }

TEST(LineKeys, KeysWithABar_MatchAtTheEndOfTheKeyPart_AndOthersAnywhereInIt) {
    EXPECT_TRUE(HasKey(Line("DisplayName |Orbit Runner"), "DisplayName |"));
    EXPECT_TRUE(HasKey(Line("DisplayName |"), "DisplayName |"));
    EXPECT_FALSE(HasKey(Line("DisplayName"), "DisplayName |"));
    EXPECT_FALSE(HasKey(Line("DecorItem[0].overrideName |DisplayName |x"), "DisplayName |"));
    EXPECT_TRUE(HasKey(Line("QRNStoredTraversalData.traversals2[0].traversals[1].traversal |1|V.vmf"), "].traversal |"));
    EXPECT_TRUE(HasKey(Line("QRNStoredTraversalData.traversals2[0].traversals[1].traversal |1|V.vmf"), "].traversals"));
    EXPECT_FALSE(HasKey(Line("QRNStoredTraversalData.traversals2[0].traversals[1].traversalX |1"), "].traversal |"));
    EXPECT_TRUE(HasKey(Line("QRNKeywordForm[7] |01A2C4|Veltrane.vmf"), "QRNKeywordForm["));
    EXPECT_TRUE(HasKey(Line("DecorItem[0].bWorkshopItem"), ".bWorkshopItem"));
}

TEST(LineKeys, NamesHoldingKeyTexts_ResultInNoKeyAndNoVersionLine) {
    EXPECT_FALSE(HasKey(Line("DecorItem[0].overrideName |Crate.base"), ".base"));
    EXPECT_FALSE(HasKey(Line("DisplayName |Blueprint.data[0].fPosX"), ".data["));
    EXPECT_FALSE(HasKey(Line("KORFullName.fullName |QRNKeywordForm["), "QRNKeywordForm["));
    EXPECT_TRUE(IsVersionLine(Line("Version: 2.00")));
    EXPECT_FALSE(IsVersionLine(Line("DisplayName |Mk2 Version: 1.5")));
    EXPECT_FALSE(IsVersionLine(Line("Ship: Version: 3 [FormID: ] [EditorID: ] ")));
    EXPECT_FALSE(IsVersionLine(Line(" Version: 2.00")));
}

TEST(LineValues, TheValuePart_ResultsVerbatim_ANameWithBarsKeepingItsWholeText) {
    EXPECT_EQ(GetLineValue(Line("DecorItem[0].overrideName |Crate")), "Crate");
    EXPECT_EQ(GetLineValue(Line("DecorItem[0].fPosX | 1.5")), " 1.5");
    EXPECT_EQ(GetLineValue(Line("DecorItem[0].overrideName |A|B")), "A|B");
    EXPECT_EQ(GetLineValue(Line("DisplayName |%n|%s|")), "%n|%s|");
    EXPECT_EQ(GetLineValue(Line("DisplayName |")), "");
    EXPECT_EQ(GetLineValue(Line("DecorItem[0].bWorkshopItem")), "");
}

TEST(LineFormReferences, TheLastTwoBarsOfTheWholeLine_ResultInIDTextAndFileName) {
    const BlueprintLine reference = Line("QRNKeywordForm[0] |0x1A2B3|Veltrane.vmf");
    EXPECT_EQ(GetFormIDText(reference), "0x1A2B3");
    EXPECT_EQ(GetFormFileName(reference), "Veltrane.vmf");
    EXPECT_EQ(GetFormIDText(Line("x |A|B|01A2B3|Frontier.vmf")), "01A2B3");
    EXPECT_EQ(GetFormIDText(Line("x ||Veltrane.vmf")), "");
    EXPECT_EQ(GetFormFileName(Line("x |1A2B3|")), "");
    EXPECT_EQ(GetFormIDText(Line("DisplayName |Veltrane.vmf")), "");
    EXPECT_EQ(GetFormIDText(Line("no bar")), "");
    EXPECT_EQ(GetFormFileName(Line("no bar")), "");
}

TEST(HexFormIDs, TextsAsStrtoulInBase16WithA32BitLong_ResultInTheIDOr0) {
    EXPECT_EQ(ParseHexFormID("1A2B3"), 0x1A2B3u);
    EXPECT_EQ(ParseHexFormID(" 0X1a2b3|rest"), 0x1A2B3u);
    EXPECT_EQ(ParseHexFormID("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexFormID("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexFormID("1FFFFFFFF"), 0u);
    EXPECT_EQ(ParseHexFormID("0x"), 0u);
    EXPECT_EQ(ParseHexFormID("zz"), 0u);
    EXPECT_EQ(ParseHexFormID(""), 0u);
}

// Each boolean reader's three outcomes: converted, failed with the target
// untouched, failed with the target zeroed.
template <class Number, class Reader>
void ExpectReadsAsTheFamilyDoes(Reader read) {
    const Number untouched = 7;
    for (const char* text : {"x |", "x", "x |abc", "x | +-1", "x |."}) {
        Number value = untouched;
        EXPECT_FALSE(read(Line(text), value)) << text;
        EXPECT_EQ(value, untouched) << text;
    }
    for (const char* text : {"x | -inf", "x |nan", "x |5 nano", "x |1 info"}) {
        Number value = untouched;
        EXPECT_FALSE(read(Line(text), value)) << text;
        EXPECT_EQ(value, Number{0}) << text;
    }
    for (const char* text : {"x |12", "x | \t+12abc", "x |12|3"}) {
        Number value = untouched;
        EXPECT_TRUE(read(Line(text), value)) << text;
        EXPECT_EQ(value, Number{12}) << text;
    }
}

TEST(NumberReaders, EveryKindOfValue_ResultsInTheFamilysThreeOutcomes) {
    ExpectReadsAsTheFamilyDoes<float>(ParseLineFloat);
    ExpectReadsAsTheFamilyDoes<std::int32_t>(ParseLineInt32);
    ExpectReadsAsTheFamilyDoes<std::uint32_t>(ParseLineUInt32);
    ExpectReadsAsTheFamilyDoes<std::uint64_t>(ParseLineUInt64);
}

TEST(NumberReaders, ValuesAtTheEdgesOfTheirRange_ResultAsOnThe64BitWindowsPlatform) {
    std::int32_t i32 = 7;
    EXPECT_TRUE(ParseLineInt32(Line("x |-2147483648"), i32));
    EXPECT_EQ(i32, std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ParseLineInt32(Line("x |2147483648"), i32));
    EXPECT_EQ(i32, std::numeric_limits<std::int32_t>::min());
    std::uint32_t u32 = 7;
    EXPECT_TRUE(ParseLineUInt32(Line("x | -1"), u32));
    EXPECT_EQ(u32, 4294967295u);
    EXPECT_FALSE(ParseLineUInt32(Line("x |4294967296"), u32));
    EXPECT_FALSE(ParseLineUInt32(Line("x |-4294967296"), u32));
    EXPECT_EQ(u32, 4294967295u);
    std::uint64_t u64 = 7;
    EXPECT_TRUE(ParseLineUInt64(Line("x |18446744073709551615"), u64));
    EXPECT_EQ(u64, std::numeric_limits<std::uint64_t>::max());
    EXPECT_FALSE(ParseLineUInt64(Line("x |18446744073709551616"), u64));
    EXPECT_TRUE(ParseLineUInt64(Line("x |-1"), u64));
    EXPECT_EQ(u64, std::numeric_limits<std::uint64_t>::max());
}

TEST(NumberReaders, FloatTexts_ResultAsStrtofReadsThem) {
    float value = 7.0f;
    EXPECT_TRUE(ParseLineFloat(Line("x | 2.5abc"), value));
    EXPECT_EQ(value, 2.5f);
    EXPECT_TRUE(ParseLineFloat(Line("Blueprint.data[0].fPosX |-0.000000"), value));
    EXPECT_TRUE(std::signbit(value));
    EXPECT_TRUE(ParseLineFloat(Line("x |INF"), value));
    EXPECT_EQ(value, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(ParseLineFloat(Line("x |0x1.8p1"), value));
    EXPECT_EQ(value, 3.0f);
    value = 7.0f;
    EXPECT_FALSE(ParseLineFloat(Line("x | 1e39"), value));
    EXPECT_FALSE(ParseLineFloat(Line("x |1e-40"), value));
    EXPECT_EQ(value, 7.0f);
}

TEST(NumberReaders, FiniteFloats_AreTheFloatsOfStrtof_WithoutInfinitiesAndNaNs) {
    float value = 7.0f;
    EXPECT_TRUE(ParseLineFiniteFloat(Line("x | 2.5abc"), value));
    EXPECT_EQ(value, 2.5f);
    value = 7.0f;
    for (const char* text : {"x |INF", "x |-Infinity", "x |NaN", "x |NAN(0x1F)", "x |inf", "x |1e39", "x |"}) {
        EXPECT_FALSE(ParseLineFiniteFloat(Line(text), value)) << text;
    }
    EXPECT_EQ(value, 7.0f);
}

TEST(NumberReaders, AValueWithBars_IsReadFromTheFirstBar) {
    std::int32_t value = 0;
    EXPECT_TRUE(ParseLineInt32(Line("DisplayName |1|2"), value));
    EXPECT_EQ(value, 1);
}

TEST(VersionValues, TheTextAfterTheLastColonWithoutSpaces_ResultsInTheVersion) {
    float version = 7.0f;
    EXPECT_TRUE(ParseVersionValue(Line("Version: 2.00"), version));
    EXPECT_EQ(version, 2.0f);
    EXPECT_TRUE(ParseVersionValue(Line("Version: 2 .5"), version));
    EXPECT_EQ(version, 2.5f);
    EXPECT_TRUE(ParseVersionValue(Line("Version: 1: -1"), version));
    EXPECT_EQ(version, -1.0f);
    EXPECT_FALSE(ParseVersionValue(Line("Version: x"), version));
    EXPECT_FALSE(ParseVersionValue(Line("Version:   "), version));
    EXPECT_EQ(version, -1.0f);
    EXPECT_FALSE(ParseVersionValue(Line("Version: inf"), version));
    EXPECT_EQ(version, 0.0f);
}

TEST(LineIndices, TheKeyPartsFirstAndLastBrackets_ResultInOuterAndInnerIndex) {
    const BlueprintLine nested = Line("QRNStoredTraversalData.traversals2[3].traversals[5].unk00 |1");
    EXPECT_EQ(GetLineIndex(nested), 3);
    EXPECT_EQ(GetLineInnerIndex(nested), 5);
    EXPECT_EQ(GetLineIndex(Line("DecorItem[12].fPosX | 3")), 12);
    EXPECT_EQ(GetLineIndex(Line("DecorItem[ 7x].base |1|V.vmf")), 7);
    EXPECT_EQ(GetLineIndex(Line("DecorItem[-5].base |1|V.vmf")), -5);
    EXPECT_EQ(GetLineInnerIndex(Line("QRNKeywordForm[4] |1|V.vmf")), 4);
}

TEST(LineIndices, MissingOrBadIndicesAndBracketsInValues_ResultInMinus1) {
    EXPECT_EQ(GetLineIndex(Line("DecorItem[].base")), -1);
    EXPECT_EQ(GetLineIndex(Line("DecorItem[3.base")), -1);
    EXPECT_EQ(GetLineIndex(Line("DecorItem]3[.base")), -1);
    EXPECT_EQ(GetLineIndex(Line("DecorItem[2147483648].base")), -1);
    EXPECT_EQ(GetLineIndex(Line("DisplayName |[5]")), -1);
    EXPECT_EQ(GetLineInnerIndex(Line("DecorItem[1].overrideName |Crate [7]")), 1);
    // Without a '[' the number starts the key part.
    EXPECT_EQ(GetLineIndex(Line("12].x |1")), 12);
}

}  // namespace
