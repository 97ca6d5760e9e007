// Two blueprints compared key by key: what a player sees when a ship went
// through an export, an import and an export again, or through a hand edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/blueprint/BlueprintDiff.h"

namespace {

using blueprint_tool::ChangeText;
using blueprint_tool::DiffBlueprints;
using blueprint_tool::KeyChange;
using Lines = std::vector<std::string>;

const std::string kShip =
    "Ship: Orbit Runner [FormID: 0001A2B3] [EditorID: ShipOrbitRunner] \r\n"
    "Export time: 2026-12-06 21:07:12.00345\r\n"
    "Version: 2.00\r\n"
    "\r\n"
    "QRNKeywordForm[0] |01A2C4|Veltrane.vmf\r\n"
    "Blueprint.data[0].fPosX |1.500000\r\n"
    "DisplayName |Orbit Runner\r\n"
    "DecorItem[0].base |0ABCDE|Veltrane.vmf\r\n"
    "DecorItem[0].bWorkshopItem\r\n";

Lines Texts(const std::vector<KeyChange>& changes) {
    Lines texts;
    for (const KeyChange& change : changes) texts.push_back(ChangeText(change));
    return texts;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

TEST(BlueprintDiff, ABlueprintAndItsLaterExport_DifferInNothingButTheExportTime) {
    EXPECT_EQ(Texts(DiffBlueprints(kShip, kShip)), Lines{});
    const std::string later = Replaced(kShip, "21:07:12.00345", "23:59:01.00999");
    EXPECT_EQ(Texts(DiffBlueprints(kShip, later)), Lines{});
    // The same lines with LF line ends say the same.
    std::string unixEnds = kShip;
    std::erase(unixEnds, '\r');
    EXPECT_EQ(Texts(DiffBlueprints(kShip, unixEnds)), Lines{});
}

TEST(BlueprintDiff, OneChangedValue_IsNamedWithItsKeyAndBothValues) {
    const std::vector<KeyChange> changes =
        DiffBlueprints(kShip, Replaced(kShip, "fPosX |1.500000", "fPosX |-2.250000"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].kind, KeyChange::Kind::Changed);
    EXPECT_EQ(changes[0].key, "Blueprint.data[0].fPosX ");
    EXPECT_EQ(changes[0].oldValue, "1.500000");
    EXPECT_EQ(changes[0].newValue, "-2.250000");
    EXPECT_EQ(changes[0].oldLine, 6u);
    EXPECT_EQ(changes[0].newLine, 6u);
    EXPECT_EQ(ChangeText(changes[0]), "changed  Blueprint.data[0].fPosX |1.500000  ->  |-2.250000");
}

TEST(BlueprintDiff, LongValues_AreShownByTheirStartAndLength_SoThatAChangeStaysOnOneLine) {
    const std::string bytes(80, 'A');
    const std::vector<KeyChange> changes =
        DiffBlueprints("Blueprint.data[0].unk48_98 |" + bytes + "\r\n", "Blueprint.data[0].unk48_98 |" + bytes + "B\r\n");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].newValue, bytes + "B");
    EXPECT_EQ(ChangeText(changes[0]), "changed  Blueprint.data[0].unk48_98 |" + std::string(32, 'A') +
                                          "... (80 characters)  ->  |" + std::string(32, 'A') + "... (81 characters)");
}

TEST(BlueprintDiff, AddedRemovedAndChangedKeys_AreListedInFileOrder_WithHeaderAndPresenceLines) {
    std::string after = Replaced(kShip, "QRNKeywordForm[0] |01A2C4|Veltrane.vmf\r\n", "");
    after = Replaced(after, "DecorItem[0].bWorkshopItem\r\n", "DecorItem[0].overrideName |Crate\r\n");
    after = Replaced(after, "Ship: Orbit Runner", "Ship: Orbit Racer");
    after = Replaced(after, "Version: 2.00", "Version: 1.50");
    after += "DecorItem[0].bWorkshopItem\r\nDisplayName |Orbit Racer\r\n";
    EXPECT_EQ(Texts(DiffBlueprints(kShip, after)),
              (Lines{"changed  Ship: Orbit Runner [FormID: 0001A2B3] [EditorID: ShipOrbitRunner]   ->  Orbit Racer "
                     "[FormID: 0001A2B3] [EditorID: ShipOrbitRunner] ",
                     "changed  Version: 2.00  ->  1.50", "removed  QRNKeywordForm[0] |01A2C4|Veltrane.vmf",
                     "added    DecorItem[0].overrideName |Crate", "added    DisplayName |Orbit Racer"}));
}

TEST(BlueprintDiff, KeysGivenTwice_AreMatchedOccurrenceByOccurrence) {
    const std::string before = "DisplayName |A\r\nDisplayName |B\r\n";
    EXPECT_EQ(Texts(DiffBlueprints(before, "DisplayName |A\r\nDisplayName |C\r\nDisplayName |D\r\n")),
              (Lines{"changed  DisplayName |B  ->  |C", "added    DisplayName |D"}));
    EXPECT_EQ(Texts(DiffBlueprints(before, "DisplayName |A\r\n")), Lines{"removed  DisplayName |B"});
}

TEST(BlueprintDiff, KeysThatDifferOnlyInTheirSeparator_AreDifferentKeys) {
    // The readers find "DisplayName |" only before the bar: a key without its
    // blank is not the same key.
    EXPECT_EQ(Texts(DiffBlueprints("DisplayName |A\r\n", "DisplayName|A\r\n")),
              (Lines{"removed  DisplayName |A", "added    DisplayName|A"}));
    EXPECT_EQ(Texts(DiffBlueprints("DecorItem[0].bWorkshopItem\r\n", "DecorItem[0].bWorkshopItem|\r\n")),
              (Lines{"changed  DecorItem[0].bWorkshopItem  ->  |"}));
}

}  // namespace
