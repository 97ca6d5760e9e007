// An interior import never leaves a player worse off: when an item cannot be
// placed the interior stays as it was, and an import that went through can
// be undone by importing the backup it saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "support/ReferencesTakenBack.h"
#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/FrameScenario.h"
#include "tests/e2e/InteriorWorld.h"

namespace e2e {
namespace {

const char* const kNotImported = "ImportShipInterior: ERROR: ship interior couldn't be imported.";
const char* const kPlacementRefused =
    "ImportShipInterior: INFO: the game would not place the item the text above names, so the items placed before "
    "it were taken back and the interior is as it was";

sim::Json ReadDump(const GameFolder& folder, const std::string& name) {
    return sim::Json::parse(ReadBytes(folder.Game() / name));
}

class InteriorUndo : public ::testing::Test {
protected:
    void SetUp() override { folder.InstallCorvanis(); }

    // Imports the blueprint between two dumps and checks that the world
    // differs only by `created` references taken back and the next run-time
    // form ID.
    void ExpectInteriorAsItWas(const std::string& blueprint, const Lines& console, int created) {
        InteriorWorld world;
        world.deckItems = {
            R"({"id": "@OldMug", "base": "Mug", "position": [1.0, 2.0, 3.0], "extra": {"name": "Favourite"}})",
            R"({"id": "@OldCrate", "base": "Crate", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]}})",
        };
        WriteBytes(folder.Spaceships() / "Items.txt", blueprint);
        const Lines lines =
            RunWorld(folder, world.Text(), {"sim.dump before.json", "ImportShipInterior Items", "sim.dump after.json"});
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(MaskDescriptionAddresses(Lines(lines.begin() + 2, lines.begin() + 6)), console);

        const sim::Json before = ReadDump(folder, "before.json");
        int takenBack = 0;
        const sim::Json after =
            dev_support::WithoutReferencesTakenBack(ReadDump(folder, "after.json"), before, takenBack);
        EXPECT_EQ(after, dev_support::WithoutNextRuntimeFormID(before));
        EXPECT_EQ(takenBack, created);
        EXPECT_FALSE(std::filesystem::exists(folder.Spaceships() / "Backups")) << "nothing to undo";
    }

    GameFolder folder;
};

TEST_F(InteriorUndo, AnItemTheGameRefusesHalfwayThrough_LeavesTheInteriorAsItWas) {
    ExpectInteriorAsItWas(
        BlueprintOf({DecorItem("0A3002|Veltrane.vmf").Named("New"), DecorItem("0A3013|Veltrane.vmf").AsWorkshopItem(),
                     DecorItem("0A3021|Veltrane.vmf"), DecorItem("0A3001|Veltrane.vmf")}),
        {"> ImportShipInterior Items", kNotImported,
         "[Error in phase: importing DecorItems | Extra error text: CreatedRefs.size == 0 of base "
         "[000A3021 | <address> | 40|MISC | 0|0x0 | {unnamed} | Relic]]",
         kPlacementRefused},
        2);
}

TEST_F(InteriorUndo, AnItemWhoseReferenceVanishes_LeavesTheInteriorAsItWas) {
    ExpectInteriorAsItWas(BlueprintOf({DecorItem("0A3002|Veltrane.vmf"), DecorItem("0A3022|Veltrane.vmf")}),
                          {"> ImportShipInterior Items", kNotImported,
                           "[Error in phase: importing DecorItems | Extra error text: CreatedRefs.size == 0 of base "
                           "[000A3022 | <address> | 40|MISC | 0|0x0 | {unnamed} | Ghost]]",
                           kPlacementRefused},
                          2);
}

// The deck's items as sim.cell shows them, without the slots' numbers and the
// references' IDs and names, sorted: what a player sees of an interior.
Lines ItemsOnDeck(const Lines& console) {
    static const std::regex slot(R"(^\[\d+\] [0-9A-F]{8}( @\w+)?: (.*)$)");
    Lines items;
    for (const std::string& line : console) {
        std::smatch match;
        if (std::regex_match(line, match, slot) && match[1] != " @Workbench" && !line.starts_with("[0] 00000014")) {
            items.push_back(match[2].str());
        }
    }
    std::sort(items.begin(), items.end());
    return items;
}

// Import, then undo, under every combination of the settings that choose
// what an import places: the interior comes back as it was, but for the item
// that came with a data file, which the import names before it goes. The
// pilot's seat never goes.
TEST_F(InteriorUndo, ImportingTheBackup_BringsBackTheInteriorAsItWas_WhateverTheSettings_ButItemsOfTheDataFiles) {
    InteriorWorld world;
    world.forms = {
        R"({"id": "Veltrane.vmf:0A3010", "type": 47, "editorID": "PilotSeat", "keywords": ["SpaceshipCockpitPilotSeat"]})",
        R"({"id": "Veltrane.vmf:0A3012", "type": 36, "editorID": "CargoHold", "keywords": ["SpaceshipInventoryContainer"]})"};
    const std::string linked = R"(, "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]})";
    world.deckItems = {
        R"({"id": "@Mug", "base": "Mug", "position": [1.0, 2.0, 0.9], "rotation": [0.0, 0.0, 0.7853982], "extra": {"name": "Favourite"}})",
        R"({"id": "@Charges", "base": "Charges", "position": [-3.0, 1.0, 1.0], "scale": 150})",
        R"({"id": "@Crate", "base": "Crate", "position": [2.0, -2.0, 0.0])" + linked + "}",
        R"({"id": "@Bunk", "base": "Bunk", "position": [-2.0, -1.0, 0.0]})",
        R"({"id": "@Seat", "base": "PilotSeat", "position": [0.0, 6.0, 0.0])" + linked + "}",
        R"({"id": "@Hold", "base": "CargoHold", "position": [0.0, -8.0, 0.0])" + linked + "}",
        // Placed by a data file, not by the player.
        R"({"id": "Veltrane.vmf:0B0001", "base": "Lantern", "position": [4.0, 4.0, 2.0]})",
    };
    // An item of each kind the settings tell apart: of an inventory type or
    // not, a workshop item or not.
    WriteBytes(folder.Spaceships() / "Items.txt",
               BlueprintOf({DecorItem("0A3001|Veltrane.vmf").At("5.000000"),
                            DecorItem("0A3014|Veltrane.vmf").At("6.000000").AsWorkshopItem(),
                            DecorItem("0A3011|Veltrane.vmf").At("7.000000"),
                            DecorItem("0A3002|Veltrane.vmf").At("8.000000").AsWorkshopItem()}));
    const Lines before = RunWorld(folder, world.Text(), {"sim.cell"});
    Lines expected = ItemsOnDeck(before);
    std::erase_if(expected, [](const std::string& item) { return item.find(" Lantern ") != std::string::npos; });
    ASSERT_EQ(expected.size(), 6u);

    for (const char* settings : {"bWorkshopItems=1\r\nbInventoryItemTypes=1", "bWorkshopItems=0\r\nbInventoryItemTypes=1",
                                 "bWorkshopItems=1\r\nbInventoryItemTypes=0", "bWorkshopItems=0\r\nbInventoryItemTypes=0",
                                 "bSkipMISC=1\r\nbSkipFURN=1\r\nbSkipBOOK=1\r\nbSkipMSTT=1",
                                 "bWorkshopItems=0\r\nbInventoryItemTypes=0\r\nbSkipCONT=1"}) {
        SCOPED_TRACE(settings);
        std::filesystem::remove_all(folder.Spaceships() / "Backups");
        WriteSettings(folder, std::string("[Import]\r\n") + settings + "\r\n");
        const Lines imported = RunWorld(folder, world.Text(), {"ImportShipInterior Items", "sim.dump imported.json"});
        ASSERT_EQ(imported.size(), 6u);
        EXPECT_EQ(imported[1],
                  "ImportShipInterior: WARNING: 1 item that this import removes is gone for good: no blueprint can "
                  "carry it, so the undo cannot bring it back (such an item came with the game's data files, is of a "
                  "kind a blueprint does not know, or has a base from no data file; it is Lantern [FE000801])");
        ASSERT_EQ(imported[3], InteriorUndoLine("Ship"));
        const std::string undo = imported[3].substr(imported[3].find("ImportShipInterior \"Backups"));
        const Lines after = RunWorldFile(folder, folder.Game() / "imported.json", {undo, "sim.cell"});
        ASSERT_GE(after.size(), 3u);
        EXPECT_EQ(after[1], "ImportShipInterior: INFO: ship interior successfully imported.");
        EXPECT_EQ(ItemsOnDeck(after), expected);
    }
}

TEST_F(InteriorUndo, AnInteriorTheFormatCannotCarry_IsImportedWithTheItemNamedBeforeItGoes) {
    InteriorWorld world;
    world.forms = {R"({"id": "@HomemadeMug", "type": 40, "editorID": "HomemadeMug"})"};
    world.deckItems = {R"({"id": "@Mug", "base": "@HomemadeMug"})"};
    WriteBytes(folder.Spaceships() / "Items.txt", BlueprintOf({DecorItem("0A3002|Veltrane.vmf")}));
    EXPECT_EQ(RunWorld(folder, world.Text(), {"ImportShipInterior Items"}),
              (Lines{"> ImportShipInterior Items",
                     "ImportShipInterior: WARNING: 1 item that this import removes is gone for good: no blueprint can "
                     "carry it, so the undo cannot bring it back (such an item came with the game's data files, is of "
                     "a kind a blueprint does not know, or has a base from no data file; it is HomemadeMug "
                     "[FF000801])",
                     "ImportShipInterior: INFO: ship interior successfully imported.", InteriorUndoLine("Ship")}));
}

}  // namespace
}  // namespace e2e
