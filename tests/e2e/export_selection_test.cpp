// Which items of the starter ship's interior a blueprint carries, under the
// export settings of the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/ShipWorld.h"

namespace e2e {
namespace {

// The starter ship's items by their base's reference text.
const std::map<std::string, std::string> kItemNames = {
    {"0A3002|Veltrane.vmf", "Mug"},         {"0A3000|Veltrane.vmf", "Spacesuit"},
    {"0A3001|Veltrane.vmf", "StarCharts"},  {"0A3003|Veltrane.vmf", "Cutter"},
    {"0A3004|Veltrane.vmf", "Keycard"},     {"0A3005|Veltrane.vmf", "MedPack"},
    {"0A3006|Veltrane.vmf", "Charges"},     {"802|Trimwork.vmf", "Armchair"},
    {"0A3013|Veltrane.vmf", "SupplyCrate"}, {"0A3014|Veltrane.vmf", "Plant"},
    {"0A3015|Veltrane.vmf", "NavTerminal"}, {"0A3016|Veltrane.vmf", "Trophy"},
    {"0A3017|Veltrane.vmf", "WallLight"},   {"0A3011|Veltrane.vmf", "Bunk"},
    {"801|Trimwork.vmf", "Lantern"},        {"0804|Deckhands.vmf", "Logbook"},
};

// "Name" for each decoration item in file order, "Name (workshop)" for a
// workshop item; the indices must count 0, 1, 2, ...
Lines DecorationItems(const Lines& blueprint) {
    static const std::regex base(R"(^DecorItem\[(\d+)\]\.base \|(.*)$)");
    static const std::regex workshop(R"(^DecorItem\[(\d+)\]\.bWorkshopItem$)");
    Lines items;
    for (const std::string& line : blueprint) {
        std::smatch match;
        if (std::regex_match(line, match, base)) {
            EXPECT_EQ(match[1].str(), std::to_string(items.size()));
            const auto name = kItemNames.find(match[2].str());
            items.push_back(name == kItemNames.end() ? "unknown " + match[2].str() : name->second);
        } else if (std::regex_match(line, match, workshop)) {
            EXPECT_EQ(match[1].str(), std::to_string(items.size() - 1));
            items.back() += " (workshop)";
        }
    }
    return items;
}

struct Case {
    const char* settings;  // the Export section's keys
    Lines items;
};

// Never in a blueprint, whatever the settings: the player (form ID 0x14, an
// actor), the crewmate (an actor), the workbench and the poster (from a data
// file), the pilot seat (its keyword) and the cargo hold (the ship's
// inventory container).
const Case kCases[] = {
    {"",
     {"Mug", "Spacesuit", "StarCharts", "Cutter", "Keycard", "MedPack", "Charges", "Armchair (workshop)",
      "SupplyCrate (workshop)", "Plant (workshop)", "NavTerminal (workshop)", "Trophy (workshop)",
      "WallLight (workshop)", "Lantern", "Logbook"}},
    {"bSkipWEAP=1\r\n",
     {"Mug", "Spacesuit", "StarCharts", "Keycard", "MedPack", "Charges", "Armchair (workshop)",
      "SupplyCrate (workshop)", "Plant (workshop)", "NavTerminal (workshop)", "Trophy (workshop)",
      "WallLight (workshop)", "Lantern", "Logbook"}},
    // Every item that is not a workshop item, the bunk among them; workshop
    // items only of inventory types, and there are none.
    {"bWorkshopItems=0\r\n",
     {"Mug", "Spacesuit", "StarCharts", "Cutter", "Keycard", "MedPack", "Charges", "Bunk", "Lantern", "Logbook"}},
    // Every workshop item, and of the others those not of inventory types.
    {"bInventoryItemTypes=0\r\n",
     {"Armchair (workshop)", "SupplyCrate (workshop)", "Plant (workshop)", "NavTerminal (workshop)",
      "Trophy (workshop)", "WallLight (workshop)", "Bunk"}},
    {"bInventoryItemTypes=0\r\nbWorkshopItems=0\r\n",
     {"Mug", "Spacesuit", "StarCharts", "Cutter", "Keycard", "MedPack", "Charges", "Armchair (workshop)",
      "SupplyCrate (workshop)", "Plant (workshop)", "NavTerminal (workshop)", "Trophy (workshop)",
      "WallLight (workshop)", "Bunk", "Lantern", "Logbook"}},
    // No key reaches types 43 and 30, and type 49 has no key at all.
    {"bSkipBOOK=1\r\nbSkipMISC=1\r\nbSkipFURN=1\r\nbSkipKEYM=1\r\nbSkipALCH=1\r\nbSkipMSTT=1\r\nbSkipCONT=1\r\n"
     "bSkipTERM=1\r\nbSkipARMO=1\r\nbSkipWEAP=1\r\nbSkipType43=1\r\nbSkipType30=1\r\n",
     {"Charges", "Trophy (workshop)", "WallLight (workshop)"}},
};

class ExportSelection : public ::testing::Test {};

TEST_F(ExportSelection, EachExportSetting_ResultsInItsItems_AndNeverInTheItemsThatBelongToTheShipOrTheData) {
    for (const Case& selection : kCases) {
        SCOPED_TRACE(selection.settings);
        GameFolder folder;
        folder.InstallCorvanis();
        WriteBytes(folder.Plugins() / "Corvanis.ini", std::string("[Export]\r\n") + selection.settings);
        EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"}),
                  Exported("ExportShip Pathfinder", "Pathfinder.txt"));
        EXPECT_EQ(DecorationItems(ComparableBlueprint(folder.Spaceships() / "Pathfinder.txt")), selection.items);
    }
}

// An item named by its override name, placed at run time in the ship.
std::string NamedItem(const std::string& name, const std::string& base, const std::string& members = "") {
    return R"({"id": "@)" + name + R"(", "base": )" + base + members + R"(, "extra": {"name": ")" + name + R"("}})";
}

// The override name of each decoration item in file order, "Name
// (workshop)" for a workshop item.
Lines OverrideNames(const Lines& blueprint) {
    Lines names;
    for (const std::string& line : blueprint) {
        const std::size_t at = line.find("].overrideName |");
        if (at != std::string::npos) names.push_back(line.substr(at + 16));
        if (line.ends_with("].bWorkshopItem")) names.back() += " (workshop)";
    }
    return names;
}

TEST_F(ExportSelection, ItemsThatEachBreakOneRule_AreLeftOut_AndTheirNeighboursThatKeepItAreWritten) {
    GameFolder folder;
    folder.InstallCorvanis();
    const std::string world =
        ShipWorld()
            .Form(R"({"id": "Veltrane.vmf:0A0001", "type": 40})")
            .Form(R"({"id": "Veltrane.vmf:0A0002", "type": 47})")
            .Form(R"({"id": "Veltrane.vmf:0A0003", "type": 40, "keywords": ["SpaceshipInventoryContainer"]})")
            .Form(R"({"id": "Veltrane.vmf:0A0004", "type": 47, "keywords": ["WorkshopKeyword"]})")
            .Form(R"({"id": "Veltrane.vmf:0A0005", "type": 41})")
            .Ship(TestShip("Lab").WithItems({
                NamedItem("Mug", R"("Veltrane.vmf:0A0001")"),
                NamedItem("ActorMug", R"("Veltrane.vmf:0A0001")", R"(, "type": 75)"),
                NamedItem("QueriedAsActor", R"("Veltrane.vmf:0A0001")", R"(, "queryType": 75)"),
                NamedItem("NoBase", "null"),
                NamedItem("CargoBase", R"("Veltrane.vmf:0A0003")"),
                NamedItem("CargoKeywordOnTheItem", R"("Veltrane.vmf:0A0001")",
                          R"(, "keywords": ["SpaceshipInventoryContainer"])"),
                NamedItem("SeatKeywordOnTheItem", R"("Veltrane.vmf:0A0001")",
                          R"(, "keywords": ["SpaceshipCockpitPilotSeat"])"),
                NamedItem("UnknownType", R"("Veltrane.vmf:0A0005")"),
                R"({"id": "@Bench", "base": "Veltrane.vmf:0A0004"})",
                R"({"id": "@NotABench", "base": "Veltrane.vmf:0A0002"})",
                R"({"id": "@Chair", "base": "Veltrane.vmf:0A0002", "extra": {"name": "Chair",
                    "links": [{"keyword": "WorkshopItemKeyword", "target": "@Bench"}]}})",
                R"({"id": "@LooseChair", "base": "Veltrane.vmf:0A0002", "extra": {"name": "LooseChair",
                    "links": [{"keyword": "WorkshopItemKeyword", "target": "@NotABench"}]}})",
                R"({"id": "@ChairLinkedOtherwise", "base": "Veltrane.vmf:0A0002", "extra": {"name":
                    "ChairLinkedOtherwise", "links": [{"keyword": "WorkshopKeyword", "target": "@Bench"}]}})",
            }))
            .Text();
    EXPECT_EQ(RunWorld(folder, world, {"ExportShip Lab"}), Exported("ExportShip Lab", "Lab.txt"));
    // The ship's cargo keyword counts on the item's base only; furniture is
    // written only as a workshop item, linked by the workshop-item keyword
    // to a reference that has the workshop keyword.
    EXPECT_EQ(OverrideNames(ComparableBlueprint(folder.Spaceships() / "Lab.txt")),
              (Lines{"Mug", "CargoKeywordOnTheItem", "Chair (workshop)"}));
}

// A ship furnished from many bases, more than any small memory of them
// holds, in a mixed order: each item's fate must follow its own base.
TEST_F(ExportSelection, ItemsOfManyBasesInMixedOrder_ResultInExactlyThoseWhoseBaseIsDecorationAndNotCargo) {
    constexpr int kBases = 150;
    constexpr int kItems = 450;
    ShipWorld world;
    const char* const kBaseKinds[] = {R"("type": 40)", R"("type": 41)",
                                      R"("type": 40, "keywords": ["SpaceshipInventoryContainer"])"};
    const auto baseID = [](int base) {
        char id[32];
        std::snprintf(id, sizeof id, "\"Veltrane.vmf:%06X\"", 0x0E0000 + base);
        return std::string(id);
    };
    for (int i = 0; i < kBases; ++i) world.Form(R"({"id": )" + baseID(i) + ", " + kBaseKinds[i % 3] + "}");
    std::vector<std::string> items;
    Lines expected;
    for (int i = 0; i < kItems; ++i) {
        const int base = (i * 37) % kBases;
        const std::string name = "Item" + std::to_string(i);
        items.push_back(NamedItem(name, baseID(base)));
        if (base % 3 == 0) expected.push_back(name);
    }
    GameFolder folder;
    folder.InstallCorvanis();
    EXPECT_EQ(RunWorld(folder, world.Ship(TestShip("Lab").WithItems(items)).Text(), {"ExportShip Lab"}),
              Exported("ExportShip Lab", "Lab.txt"));
    EXPECT_EQ(OverrideNames(ComparableBlueprint(folder.Spaceships() / "Lab.txt")), expected);
}

}  // namespace
}  // namespace e2e
