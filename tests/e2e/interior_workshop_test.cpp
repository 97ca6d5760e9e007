// Which workshop the items of an interior import are linked to: the nearest
// in the cells around the player, which the import finds in the player's
// cell, the player's associated cells and the game's cell manager, whose
// table may hold stale entries that must neither be taken nor crash the game.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/InteriorWorld.h"

namespace e2e {
namespace {

const char* const kImported = "ImportShipInterior: INFO: ship interior successfully imported.";

// Adds a cell that holds a workshop of its own, "@<name>Bench", the distance
// from the player.
void AddCellWithWorkshop(InteriorWorld& world, const std::string& name, int distance,
                         const std::string& cellMembers = "") {
    world.cells.push_back(R"({"id": "@)" + name + R"(", "interior": true, "references": ["@)" + name + R"(Bench"])" +
                          cellMembers + "}");
    world.references.push_back(R"({"id": "@)" + name + R"(Bench", "base": "Workbench", "position": [)" +
                               std::to_string(distance) + ".0, 0.0, 0.0]}");
}

class InteriorWorkshop : public ::testing::Test {
protected:
    void SetUp() override {
        folder.InstallCorvanis();
        WriteBytes(folder.Spaceships() / "Crate.txt",
                   BlueprintOf({DecorItem("0A3013|Veltrane.vmf").At("1.000000").AsWorkshopItem()}));
    }

    // The workshop the blueprint's one workshop item was linked to, or the
    // console's lines when there is none.
    Lines LinkedWorkshop(const InteriorWorld& world) const {
        static const std::regex linked(
            R"(^\[\d+\] FF[0-9A-F]{6}: base 000A3013 Crate .*, linked to FF[0-9A-F]{6} (@\w+) under .*)");
        const Lines console = RunWorld(folder, world.Text(), {"ImportShipInterior Crate", "sim.cell"});
        if (console.size() < 2 || console[1] != kImported) return console;
        for (const std::string& line : console) {
            if (std::smatch match; std::regex_match(line, match, linked)) return {match[1].str()};
        }
        return console;
    }

    GameFolder folder;
};

TEST_F(InteriorWorkshop, TheNearestWorkshop_IsTheOneTheItemsAreLinkedTo_WhicheverCellItStandsIn) {
    InteriorWorld world;  // @Workbench on the deck, 5 from the player
    world.deckItems = {R"({"id": "@FarBench", "base": "Workbench", "position": [0.0, 0.0, 9.0]})"};
    AddCellWithWorkshop(world, "Outpost", 2);
    world.playerMembers = R"(, "associatedCells": ["@Outpost"])";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@OutpostBench"});
}

TEST_F(InteriorWorkshop, WorkshopsAtTheSameDistance_ResultInTheOneMetFirst_CellsTakenInTheOrderTheyLieInMemory) {
    InteriorWorld world;  // @Workbench at (3, 4, 0)
    world.deckItems = {R"({"id": "@SecondBench", "base": "Workbench", "position": [0.0, 5.0, 0.0]})"};
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@Workbench"});

    // The yard lies before the deck: its workshop is met first, though the
    // cell manager names the yard only after the deck was gathered.
    world.yardItems = {R"({"id": "@YardBench", "base": "Workbench", "position": [-5.0, 0.0, 0.0]})"};
    world.gameMembers = R"(, "cellManager": {"currentCell": "@Yard"})";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@YardBench"});
}

TEST_F(InteriorWorkshop, AWorkshopOnlyInAnAssociatedCell_IsFound_ButNotInAnAssociatedCellThatIsNotLoaded) {
    InteriorWorld world;
    world.workbench = false;
    AddCellWithWorkshop(world, "Outpost", 20);
    AddCellWithWorkshop(world, "Unloaded", 1, R"(, "loaded": false)");
    world.forms = {R"({"id": "@Lookalike", "type": 4})"};
    world.playerMembers = R"(, "associatedCells": ["#00ABCDEF", "@Lookalike", "@Unloaded", "@Outpost"])";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@OutpostBench"});
}

TEST_F(InteriorWorkshop, AWorkshopOnlyInCellsOfTheCellManager_IsFound_InItsCurrentCellOrItsTable) {
    InteriorWorld world;
    world.workbench = false;
    AddCellWithWorkshop(world, "Hangar", 20);
    world.gameMembers = R"(, "cellManager": {"loadedCells": ["@Hangar"]})";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@HangarBench"});

    AddCellWithWorkshop(world, "Bay", 10);
    world.gameMembers = R"(, "cellManager": {"currentCell": "@Bay", "loadedCells": ["@Hangar"]})";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@BayBench"});
}

TEST_F(InteriorWorkshop, EveryKindOfStaleEntryInTheCellManagersTable_IsPassedOver_AndOnlyTheFirst50EntriesAreRead) {
    InteriorWorld world;
    world.workbench = false;
    // The only entry to take leads to the farthest workshop.
    AddCellWithWorkshop(world, "Far", 100);
    std::string entries = R"({"cell": "@EntryLow", "memory": "low"}, {"cell": "@EntryInModule", "memory": "module"},
        {"memory": "unmapped"}, {"cellMemory": "unmapped"}, {"cellMemory": "unmapped", "memory": "low"},
        {"cell": null}, "@CellLow", "@CellInModule", "@IdentityLow", "@IdentityOther", "@Far")";
    AddCellWithWorkshop(world, "EntryLow", 1);
    AddCellWithWorkshop(world, "EntryInModule", 1);
    AddCellWithWorkshop(world, "CellLow", 1, R"(, "memory": "low")");
    AddCellWithWorkshop(world, "CellInModule", 1, R"(, "memory": "module")");
    AddCellWithWorkshop(world, "IdentityLow", 1, R"(, "classIdentity": "low")");
    AddCellWithWorkshop(world, "IdentityOther", 1, R"(, "classIdentity": "other")");
    int count = 11;
#if !defined(__SANITIZE_ADDRESS__)
    // The address sanitizer keeps this range of memory for itself.
    AddCellWithWorkshop(world, "CellBelowTiB", 1, R"(, "memory": "belowTiB")");
    entries += R"(, "@CellBelowTiB")";
    ++count;
#endif
    for (; count < 50; ++count) entries += R"(, {"cell": null})";
    // The 51st entry, which is not read.
    AddCellWithWorkshop(world, "Past50", 1);
    entries += R"(, "@Past50")";
    world.gameMembers = R"(, "cellManager": {"loadedCells": [)" + entries + "]}";
    EXPECT_EQ(LinkedWorkshop(world), Lines{"@FarBench"});
}

}  // namespace
}  // namespace e2e
