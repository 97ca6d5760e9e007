// The interior reader line by line, without the game, as a checking tool runs
// it: the verdict of each line, the phase and the reason of each refusal, and
// the items read. Forms come from a list of data files' forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/layouts/DataFiles.h"
#include "import/reading/InteriorReader.h"
#include "tests/support/ListedForms.h"

namespace {

using namespace Corvanis;
using Verdicts = std::vector<LineVerdict>;
constexpr LineVerdict kRead = LineVerdict::Read;
constexpr LineVerdict kNotRead = LineVerdict::NotRead;
constexpr LineVerdict kRefused = LineVerdict::Refused;

class InteriorLines : public testing::Test {
protected:
    Verdicts Read(std::initializer_list<std::string_view> lines) {
        Verdicts verdicts;
        for (const std::string_view line : lines) verdicts.push_back(reader.ReadLine(BlueprintLine(line), refusal));
        return verdicts;
    }
    // The refused line's phase, the extra error text it leaves and the reason.
    std::string Refusal() const {
        return refusal.sPhase + " | " + refusal.sExtraErrorText + " | " + reader.RefusalReason();
    }

    corvanis_test::ListedForms forms;
    veltrane::Form* mug = forms.Add("Veltrane.vmf", 0xA3002, veltrane::kFormTypeMisc);
    veltrane::Form* lantern = forms.Add("Trimwork.vmf", 0x801, veltrane::kFormTypeMisc);
    veltrane::Form* keyword = forms.Add("Veltrane.vmf", 0x54BA6, veltrane::kFormTypeKeyword);
    std::vector<DecorItemRecord> items;
    InteriorReader reader{forms, items};
    ImportErrorInfo refusal;
};

TEST_F(InteriorLines, AnItemAsTheExporterWritesIt_ResultsInEveryFieldRead) {
    EXPECT_EQ(Read({"Ship: Mk2 [FormID: ] [EditorID: ] ", "Version: 2.00", "", "DisplayName |Mk2",
                    "Blueprint.data[0].fPosX |1.000000", "DecorItem[0].base |0A3002|Veltrane.vmf",
                    "DecorItem[0].fPosX |1.500000", "DecorItem[0].fPosY |-2.250000", "DecorItem[0].fPosZ |0.900000",
                    "DecorItem[0].fRotX |0.000000", "DecorItem[0].fRotY |90.000000", "DecorItem[0].fRotZ |180.000000",
                    "DecorItem[0].fScale |1.500000", "DecorItem[0].overrideName |Crate", "DecorItem[0].bWorkshopItem",
                    "DecorItem[1].base |801|Trimwork.vmf"}),
              (Verdicts{kNotRead, kNotRead, kNotRead, kNotRead, kNotRead, kRead, kRead, kRead, kRead, kRead, kRead,
                        kRead, kRead, kRead, kRead, kRead}));
    ASSERT_EQ(items.size(), 2u);
    const DecorItemRecord& item = items[0];
    EXPECT_EQ(item.base, mug);
    EXPECT_EQ((std::vector<float>{item.fPosX, item.fPosY, item.fPosZ, item.fRotX, item.fRotY, item.fRotZ, item.fScale}),
              (std::vector<float>{1.5f, -2.25f, 0.9f, 0.0f, 90.0f, 180.0f, 1.5f}));
    EXPECT_EQ(item.overrideName, "Crate");
    EXPECT_TRUE(item.bWorkshopItem);
    // Without its other lines an item keeps the defaults, scale 0 included.
    EXPECT_EQ(items[1].base, lantern);
    EXPECT_EQ(items[1].fScale, 0.0f);
    EXPECT_EQ(items[1].overrideName, "");
    EXPECT_FALSE(items[1].bWorkshopItem);
}

TEST_F(InteriorLines, KeysInTheKeyPartOnly_DecideTheField_TheFirstInOrderWhenThereAreSeveral) {
    EXPECT_EQ(Read({"DecorItem[0].base |0A3002|Veltrane.vmf", "DecorItem[0].overrideName |Crate.base|.fPosX |9",
                    "Note |DecorItem[0].fScale |2.0", "DecorItem[0] |5", "DecorItem[0].fScale.base |801|Trimwork.vmf",
                    "Decoritem[0].fScale |3.0", "  DecorItem[0].fRotZ  | 45",
                    "Ship: Mk2 DecorItem[0].fScale |2.0 [FormID: ] [EditorID: ] "}),
              (Verdicts{kRead, kRead, kNotRead, kNotRead, kRead, kNotRead, kRead, kNotRead}));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].overrideName, "Crate.base|.fPosX |9");
    EXPECT_EQ(items[0].base, lantern);
    EXPECT_EQ(items[0].fScale, 0.0f);
    EXPECT_EQ(items[0].fRotZ, 45.0f);
}

TEST_F(InteriorLines, ItemsCountFromZeroInTheOrderOfTheirBaseLines_AndEveryOtherLineNeedsItsItem) {
    EXPECT_EQ(Read({"DecorItem[1].base |0A3002|Veltrane.vmf"}), Verdicts{kRefused});
    EXPECT_EQ(Refusal(),
              "importing DecorItem|base at DecorItem[1].base |0A3002|Veltrane.vmf |  | the index is "
              "neither the next item's nor an earlier item's");
    EXPECT_EQ(Read({"DecorItem[0].fPosY |1.0"}), Verdicts{kRefused});
    EXPECT_EQ(Refusal(),
              "importing DecorItem|fPosY at DecorItem[0].fPosY |1.0 |  | no item has this index: its base "
              "line must come first");
    EXPECT_EQ(Read({"DecorItem[0].base |0A3002|Veltrane.vmf", "DecorItem[ 1x].base |0A3002|Veltrane.vmf",
                    "DecorItem[0].base |801|Trimwork.vmf", "DecorItem[-1].bWorkshopItem", "DecorItem[].fScale |1",
                    "DecorItem[2].overrideName |Far", "DecorItem[4294967296].base |0A3002|Veltrane.vmf"}),
              (Verdicts{kRead, kRead, kRead, kRefused, kRefused, kRefused, kRefused}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].base, lantern) << "a repeated base line replaces the base";
    EXPECT_EQ(items[1].base, mug);
}

TEST_F(InteriorLines, ARefusedBaseLine_StillMakesItsItem_SoThatTheItemsOtherLinesAreJudgedOnTheirOwn) {
    EXPECT_EQ(Read({"DecorItem[0].base |0A3002|Missing.vmf", "DecorItem[0].fPosX |1.0",
                    "DecorItem[1].base |054BA6|Veltrane.vmf", "DecorItem[1].bWorkshopItem",
                    "DecorItem[2].base |0|Veltrane.vmf"}),
              (Verdicts{kRefused, kRead, kRefused, kRead, kRefused}));
    EXPECT_EQ(Refusal(),
              "importing DecorItem|base at DecorItem[2].base |0|Veltrane.vmf |  | the value is no form reference: "
              "a form ID in hexadecimal, '|', and a data file's name");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].base, nullptr);
    EXPECT_EQ(items[0].fPosX, 1.0f);
    EXPECT_EQ(items[1].base, nullptr) << "a keyword is no thing to place";
    EXPECT_TRUE(items[1].bWorkshopItem);
    EXPECT_EQ(Read({"DecorItem[3].base |054BA6|Veltrane.vmf"}), Verdicts{kRefused});
    EXPECT_EQ(reader.RefusalReason(), std::string("the form is not a thing that can be placed"));
}

TEST_F(InteriorLines, ValuesThatAreNoNumbers_AreRefused_AndAnEmptyNameLeavesTheItemAsItIs) {
    EXPECT_EQ(Read({"DecorItem[0].base |0A3002|Veltrane.vmf", "DecorItem[0].overrideName |Mug",
                    "DecorItem[0].overrideName |", "DecorItem[7].overrideName |", "DecorItem[0].fPosX | 2.5abc"}),
              (Verdicts{kRead, kRead, kNotRead, kNotRead, kRead}));
    EXPECT_EQ(items[0].overrideName, "Mug");
    EXPECT_EQ(items[0].fPosX, 2.5f);
    for (const char* line : {"DecorItem[0].fPosX |abc", "DecorItem[0].fPosX |", "DecorItem[0].fPosX | -inf",
                             "DecorItem[0].fPosX |nan", "DecorItem[0].fPosX |1e39", "DecorItem[0].fPosX |INF",
                             "DecorItem[0].fPosX |NaN", "DecorItem[0].fPosX | -NAN(1)"}) {
        EXPECT_EQ(Read({line}), Verdicts{kRefused}) << line;
        EXPECT_EQ(Refusal(), "importing DecorItem|fPosX at " + std::string(line) + " |  | the value is not a number");
    }
    EXPECT_EQ(items[0].fPosX, 2.5f) << "a refused value is not stored";
}

}  // namespace
