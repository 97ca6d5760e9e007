// The layout reader line by line, without the game, as a checking tool runs
// it: the verdict of each line, the texts of each refusal, and what the
// accumulator holds. Forms come from a list of data files' forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "import/reading/LayoutReader.h"
#include "tests/support/ListedForms.h"

namespace {

using namespace Corvanis;
using corvanis_test::ListedForms;
using Verdicts = std::vector<LineVerdict>;
constexpr LineVerdict kRead = LineVerdict::Read;
constexpr LineVerdict kNotRead = LineVerdict::NotRead;
constexpr LineVerdict kRefused = LineVerdict::Refused;

class LayoutLines : public testing::Test {
protected:
    Verdicts Read(std::initializer_list<std::string_view> lines) {
        Verdicts verdicts;
        for (const std::string_view line : lines) verdicts.push_back(reader.ReadLine(BlueprintLine(line), refusal));
        return verdicts;
    }
    // The refusal's phase and extra error text, as the failure line shows them.
    std::string Refusal() const { return refusal.sPhase + " | " + refusal.sExtraErrorText; }

    ListedForms forms;
    veltrane::Form* keyword = forms.Add("Veltrane.vmf", 0xA0101, veltrane::kFormTypeKeyword);
    veltrane::Form* otherKeyword = forms.Add("Frontier.vmf", 0x810, veltrane::kFormTypeKeyword);
    veltrane::Form* mug = forms.Add("Veltrane.vmf", 0xA3002, veltrane::kFormTypeMisc);
    veltrane::Form* pilot = forms.Add("Deckhands.vmf", 0x801, veltrane::kFormTypeNPC);
    veltrane::Form* module = forms.Add("Trimwork.vmf", 0x803, veltrane::kFormTypeGenericBaseForm);
    veltrane::Form* ladder = forms.Add("Veltrane.vmf", 0xA0150, veltrane::kFormTypeTraversal);
    veltrane::Form* strength = forms.Add("Veltrane.vmf", 0xA0120, veltrane::kFormTypeActorValueInfo);
    LayoutAccumulator layout;
    ReturnStorageBlueprintVersionInfo version;
    LayoutReader reader{forms, layout, version};
    ImportErrorInfo refusal;
};

TEST_F(LayoutLines, VersionLines_ResultInTheVersionWithTwoDecimals_OrARefusalThatSaysWhy) {
    EXPECT_EQ(Read({"Version: 2.00", "Version: 1.5"}), (Verdicts{kRead, kRead}));
    EXPECT_EQ(version.fVersion, 1.5f);
    EXPECT_EQ(version.sVersion, "1.50");
    const std::string higher = "is higher than the version supported by the importer [2.00], please update Corvanis";
    const struct {
        const char* line;
        std::string refusal;
    } refused[] = {
        {"Version: 2.01", "importing Version at Version: 2.01 | blueprint's version [2.01] " + higher},
        {"Version: 2 .5", "importing Version at Version: 2 .5 | blueprint's version [2.50] " + higher},
        {"Version: 0", "importing Version at Version: 0 | blueprint's version [0.00] is invalid"},
        {"Version: -1", "importing Version at Version: -1 | blueprint's version [-1.00] is invalid"},
        {"Version: NAN", "importing Version at Version: NAN | blueprint's version [nan] is invalid"},
        {"Version: x", "importing Version at Version: x | blueprint's version couldn't be parsed"},
        {"Version: inf", "importing Version at Version: inf | blueprint's version couldn't be parsed"},
    };
    for (const auto& line : refused) {
        EXPECT_EQ(Read({line.line}), Verdicts{kRefused}) << line.line;
        EXPECT_EQ(Refusal(), line.refusal);
    }
    // Only a line that begins with the key is a version line.
    EXPECT_EQ(Read({" Version: 3", "Ship: Mk2 Version: 3 [FormID: ] [EditorID: ] ", "DisplayName |Mk2 Version: 3"}),
              (Verdicts{kNotRead, kNotRead, kRead}));
    EXPECT_EQ(layout.displayName, "Mk2 Version: 3");
}

TEST_F(LayoutLines, ModuleFields_PassThroughTheirKinds_PlainWholeNumbersExactlyOthersThroughAFloatAndBytesCut) {
    EXPECT_EQ(Read({"Blueprint.data[0].fPosX |1.5", "Blueprint.data[0].partID |16777217",
                    "Blueprint.data[0].unk38 |300", "Blueprint.data[0].unk39 |-1", "Blueprint.data[0].unk40 |-1",
                    "Blueprint.data[0].unk3C |300.75", "Blueprint.data[0].unk48_98 |0AFF",
                    "Blueprint.data[0].item |803|Trimwork.vmf", "Blueprint.data[0].unkA4 |4294967295",
                    "Blueprint.data[0].unk44 |4294967295"}),
              Verdicts(10, kRead));
    ASSERT_EQ(layout.parts.size(), 1u);
    const PartEntry& part = layout.parts[0];
    EXPECT_EQ(part.record.fPosX, 1.5f);
    EXPECT_EQ(part.record.partID, 16777217u) << "a module's own whole numbers come back as they were";
    EXPECT_EQ(part.record.unk38, 44);
    EXPECT_EQ(part.record.unk39, 255);
    EXPECT_EQ(part.record.unk40, 4294967295u);
    EXPECT_EQ(part.record.unk44, 4294967295u) << "what the exporter writes of -1 comes back as -1, not as 0";
    // Which of the two the ship gets, the blueprint's version decides.
    EXPECT_EQ(part.record.unk3C, 300.75f);
    EXPECT_EQ(part.uLegacyUnk3C, 44);
    EXPECT_EQ(part.record.unk48_98[0], 0);
    EXPECT_EQ(part.record.item, module);
    EXPECT_EQ(part.record.unkA4, 4294967295u);

    EXPECT_EQ(Read({"Blueprint.data[0].partID |INF"}), Verdicts{kRefused});
    EXPECT_EQ(Refusal(), "importing Blueprint|data|partID at Blueprint.data[0].partID |INF | ");
    EXPECT_EQ(Read({"Blueprint.data[0].unk48_98 |", "Blueprint.data[0].item |0A3002|Veltrane.vmf"}),
              (Verdicts{kRefused, kRefused}));
}

TEST_F(LayoutLines, ListElements_AreMadeByTheirFirstKeyInIndexOrder_AndARefusedLineChangesNothing) {
    EXPECT_EQ(Read({"Blueprint.data[0].fPosY |1.0"}), Verdicts{kRefused});
    EXPECT_EQ(Refusal(), "importing Blueprint|data|fPosY at Blueprint.data[0].fPosY |1.0 | ");
    EXPECT_EQ(Read({"Blueprint.data[1].fPosX |1.0", "Blueprint.data[0].fPosX |abc"}), (Verdicts{kRefused, kRefused}));
    EXPECT_TRUE(layout.parts.empty());

    EXPECT_EQ(Read({"Blueprint.data[0].fPosX |1.0", "Blueprint.data[0].fPosX |2.0", "Blueprint.data[1].fPosX |3.0",
                    "Blueprint.data[-1].fPosY |1.0", "Blueprint.data[2].fPosY |1.0"}),
              (Verdicts{kRead, kRead, kRead, kRefused, kRefused}));
    ASSERT_EQ(layout.parts.size(), 2u);
    EXPECT_EQ(layout.parts[0].record.fPosX, 2.0f);
    EXPECT_EQ(layout.parts[1].record.fPosX, 3.0f);

    EXPECT_EQ(Read({"KORContainer[0].count |abc", "KORContainer[1].count |2", "KORContainer[0].obj |0A3002|Veltrane.vmf"}),
              (Verdicts{kRefused, kRefused, kRefused}));
    EXPECT_EQ(Refusal(), "importing KORContainer|obj at KORContainer[0].obj |0A3002|Veltrane.vmf | ");
    EXPECT_TRUE(layout.container.empty());
}

// The exporter writes an infinity or a NaN as "inf" or "nan", which no import
// takes: a ship given one by a blueprint could not come back from its own.
TEST_F(LayoutLines, InfinitiesAndNaNsInAnyCase_AreRefusedInEveryFloatField) {
    for (const char* line : {"Blueprint.data[0].fPosX |INF", "Blueprint.data[0].fPosX |NAn",
                             "QRNStoredTraversalData.traversals1[0].unk00 | -Infinity",
                             "QRNStoredTraversalData.traversals2[0].traversals[0].unk00 |NAN(7)"}) {
        EXPECT_EQ(Read({line}), Verdicts{kRefused}) << line;
    }
    EXPECT_TRUE(layout.parts.empty());
    EXPECT_EQ(Read({"Blueprint.data[0].fPosX |1.5", "Blueprint.data[0].fRotZ |INFINITY", "Blueprint.data[0].unk3C |INF",
                    "Blueprint.data[0].partID |NaN"}),
              (Verdicts{kRead, kRefused, kRefused, kRefused}));
    ASSERT_EQ(layout.parts.size(), 1u);
    EXPECT_EQ(layout.parts[0].record.fRotZ, 0.0f) << "a refused value is not stored";
    EXPECT_EQ(layout.parts[0].record.unk3C, 0.0f);
}

TEST_F(LayoutLines, TheExportersTraversalAndContainerKeys_AreReadBack_AsAreTheOlderOnes) {
    EXPECT_EQ(Read({"QRNStoredTraversalData.traversals1[0].unk00 |0.5",
                    "QRNStoredTraversalData.traversals1[0].traversal |0A0150|Veltrane.vmf",
                    "QRNStoredTraversalData.traversals1[0].uUnknown38 |38",
                    "QRNStoredTraversalData.traversals1[0].fUnknown3C |60",
                    "QRNStoredTraversalData.traversals2[0].traversals[0].unk00 |2.5",
                    "QRNStoredTraversalData.traversals2[0].traversals[0].traversal |0A0150|Veltrane.vmf",
                    "QRNStoredTraversalData.traversals2[0].traversals[0].uUnknown3C |62",
                    "QRNStoredTraversalData.traversals2[0].unk24 |100.0",
                    "QRNStoredTraversalData.traversals2[1].unk14 |4.0",
                    "QRNStoredTraversalData.traversals2[1].unk18 |0.5",
                    "KORContainer[0].count |2", "KORContainer[0].itemExtra |1A2B3C",
                    "KORContainer[0].obj |0A3002|Veltrane.vmf"}),
              (Verdicts{kRead, kRead, kRead, kRead, kRead, kRead, kRead, kRead, kRead, kRead, kRead, kNotRead, kRead}));
    ASSERT_EQ(layout.traversals1.size(), 1u);
    EXPECT_EQ(layout.traversals1[0].traversal, ladder);
    EXPECT_EQ(layout.traversals1[0].uUnknown38, 38u);
    EXPECT_EQ(layout.traversals1[0].uUnknown3C, 60u);
    // A group without traversals is made by its own first field.
    ASSERT_EQ(layout.traversals2.size(), 2u);
    ASSERT_EQ(layout.traversals2[0].traversals.size(), 1u);
    EXPECT_EQ(layout.traversals2[0].traversals[0].uUnknown3C, 62u);
    EXPECT_EQ(layout.traversals2[0].record.unk24, 100.0f);
    EXPECT_TRUE(layout.traversals2[1].traversals.empty());
    EXPECT_EQ(layout.traversals2[1].record.unk18, 0.5f);
    ASSERT_EQ(layout.container.size(), 1u);
    EXPECT_EQ(layout.container[0].count, 2);
    EXPECT_EQ(layout.container[0].obj, mug);

    EXPECT_EQ(Read({"QRNStoredTraversalData.traversals2[3].unk18 |1.0",
                    "QRNStoredTraversalData.traversals2[0].traversals[2].unk04 |1.0",
                    "QRNStoredTraversalData.traversals1[0].traversal |0A3002|Veltrane.vmf"}),
              (Verdicts{kRefused, kRefused, kRefused}));
    EXPECT_EQ(Refusal(),
              "importing QRNStoredTraversalData.traversals1|traversal at "
              "QRNStoredTraversalData.traversals1[0].traversal |0A3002|Veltrane.vmf | ");
}

TEST_F(LayoutLines, KeywordsAndPropertyEntries_KeepFileOrder_AndLinesOutsideTheSheetAreLeft) {
    EXPECT_EQ(Read({"QRNKeywordForm[7] |000810|Frontier.vmf", "QRNKeywordForm[0] |0A0101|Veltrane.vmf",
                    "QRNPropertySheet[4].first |0A0120|Veltrane.vmf", "QRNPropertySheet[5].second |0A0120|Veltrane.vmf",
                    "QRNPropertySheet[0].second |999|Veltrane.vmf", "QRNPropertySheet[0].second |0A3002|Veltrane.vmf",
                    "QRNPropertySheet[1].third |abc", "QRNPropertySheet[0].third |2.5"}),
              (Verdicts{kRead, kRead, kRead, kNotRead, kNotRead, kRead, kNotRead, kRead}));
    EXPECT_EQ(layout.keywords, (std::vector<veltrane::Form*>{otherKeyword, keyword}));
    ASSERT_EQ(layout.propertySheet.size(), 1u);
    EXPECT_EQ(layout.propertySheet[0].first, strength);
    EXPECT_EQ(layout.propertySheet[0].second, mug);
    EXPECT_EQ(layout.propertySheet[0].third, 2.5f);

    EXPECT_EQ(Read({"QRNPropertySheet[0].third |abc"}), Verdicts{kRefused});
    EXPECT_EQ(Refusal(), "importing QRNPropertySheet at QRNPropertySheet[0].third |abc | ");
    EXPECT_EQ(Read({"QRNKeywordForm[0] |0801|Deckhands.vmf", "QRNAttachParentArray[0] |0A3002|Veltrane.vmf",
                    "QRNSpaceshipAIActor.actor |0A3002|Veltrane.vmf", "QRNAddToInventoryOnDestroy.form |0801|Deckhands.vmf"}),
              Verdicts(4, kRefused));
    EXPECT_EQ(Refusal(),
              "importing QRNAddToInventoryOnDestroy.form at QRNAddToInventoryOnDestroy.form |0801|Deckhands.vmf | ");
}

TEST_F(LayoutLines, NamesHoldingKeysBarsOrFormats_AreReadWhole_AndSteerNothing) {
    EXPECT_EQ(Read({"DisplayName |Alpha|Beta", "KORFullName.fullName |QRNKeywordForm[0] |0A0101|Veltrane.vmf",
                    "QRNSpaceshipHullCode.hullCode |Blueprint.data[0].fPosX |%n%s", "KORModel.model | Version: 3"}),
              Verdicts(4, kRead));
    EXPECT_EQ(layout.displayName, "Alpha|Beta");
    EXPECT_EQ(layout.fullName, "QRNKeywordForm[0] |0A0101|Veltrane.vmf");
    EXPECT_EQ(layout.hullCode, "Blueprint.data[0].fPosX |%n%s");
    EXPECT_EQ(layout.model, " Version: 3");
    EXPECT_TRUE(layout.keywords.empty());
    EXPECT_TRUE(layout.parts.empty());
    EXPECT_EQ(version.sVersion, "");
    // The header's ship line holds the ship's name before any bar: it is
    // never read, whatever the name holds.
    EXPECT_EQ(Read({"Ship: Mk2 QRNKeywordForm[0] |0A0101|Veltrane.vmf [FormID: ] [EditorID: ] ",
                    "Ship: QRNAddToInventoryOnDestroy.form |0A3002|Veltrane.vmf [FormID: ] [EditorID: ] ",
                    "Ship: Hauler Blueprint.data[0].fPosX [FormID: 01000900] [EditorID: ] "}),
              Verdicts(3, kNotRead));
    EXPECT_TRUE(layout.keywords.empty());
    EXPECT_EQ(layout.addToInventoryForm, nullptr);
}

TEST_F(LayoutLines, LinesOfOtherReadersAndValuesTheRulesLeaveUnused_AreNotRead) {
    EXPECT_EQ(Read({"Ship: Pathfinder [FormID: 01000900] [EditorID: ShipPathfinder] ",
                    "Export time: 2026-12-06 21:07:12.00345", "", "   ", "DecorItem[0].base |0A3002|Veltrane.vmf",
                    "DecorItem[0].bWorkshopItem", "Blueprint.unk28 |5", "Blueprint.unk34 |7", "Blueprint.unk08 |abc",
                    "Blueprint.unk10 |", "DisplayName |", "QRNSpaceshipHullCode.hullCode |", "KORContainer[0].itemExtra |?"}),
              Verdicts(13, kNotRead));
    EXPECT_EQ(Read({"Blueprint.unk08 |1234567890123"}), Verdicts{kRead});
    EXPECT_EQ(layout.blueprintUnk08, 1234567890123u);
    // A ship's empty texts come back empty, as its exporter writes them.
    layout.model = layout.fullName = layout.rigFile = "before";
    EXPECT_EQ(Read({"KORModel.model |", "KORFullName.fullName |", "QRNAnimationGraphComponent.rigFile |"}),
              Verdicts(3, kRead));
    EXPECT_EQ(layout.model + layout.fullName + layout.rigFile, "");
}

}  // namespace
