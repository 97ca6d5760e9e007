// ImportShipInterior as a player uses it: which items of a blueprint stand in
// the ship afterwards and how, what the interior loses to them, how each kind
// of line is read, and what is refused without the world changing.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "support/ReferencesTakenBack.h"
#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/InteriorWorld.h"

namespace e2e {
namespace {

const char* const kImported = "ImportShipInterior: INFO: ship interior successfully imported.";
const char* const kNotImported = "ImportShipInterior: ERROR: ship interior couldn't be imported.";

const char* const kPlayerSlot =
    "[0] 00000014: base 00000007 Player (50 NPC_) at (0, 0, 0), rotation (0, 0, 0), scale 100";
const char* const kWorkbenchSlot =
    "[1] FF000804 @Workbench: base 000A1000 Workbench (47 FURN) at (3, 4, 0), rotation (0, 0, 0), scale 100";
const char* const kLinked = ", linked to FF000804 @Workbench under 00054BA4 WorkshopItemKeyword (persist)";
const std::string kUndone = InteriorUndoLine("Ship");

class InteriorImport : public ::testing::Test {
protected:
    void SetUp() override { folder.InstallCorvanis(); }

    void WriteBlueprint(const std::string& name, const std::string& text) const {
        WriteBytes(folder.Spaceships() / (name + ".txt"), text);
    }

    void WriteImportSettings(const std::string& keys) const {
        WriteBytes(folder.Plugins() / "Corvanis.ini", "[Import]\r\n" + keys);
    }

    GameFolder folder;
};

TEST_F(InteriorImport, TheDefaultRules_PlaceWorkshopItemsAndInventoryItems_InPlaceOfThoseTheInteriorHeld) {
    InteriorWorld world;
    world.deckItems = {
        R"({"id": "@OldMug", "base": "Mug"})",
        R"({"id": "@OldCrate", "base": "Crate", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]}})",
        R"({"id": "@OldBunk", "base": "Bunk"})",
        R"({"id": "@OldTerminal", "base": "Terminal", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@OldBunk"}]}})",
        R"({"id": "@Guard", "type": 75, "base": "Statue", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]}})",
    };
    WriteBlueprint("Items", BlueprintOf({
                                DecorItem("0A3002|Veltrane.vmf").At("1.000000"),
                                DecorItem("0A3013|Veltrane.vmf").At("2.000000"),
                                DecorItem("0A3013|Veltrane.vmf").At("3.000000").AsWorkshopItem(),
                                DecorItem("0A3011|Veltrane.vmf").At("4.000000"),
                                DecorItem("0A3020|Veltrane.vmf").At("5.000000").AsWorkshopItem(),
                                DecorItem("801|Extra.vmf").At("6.000000"),
                                DecorItem("0804|Crew.vmf").At("7.000000"),
                            }));

    EXPECT_EQ(
        RunWorld(folder, world.Text(),
                                 {"ImportShipInterior Items", "sim.cell", "sim.form @OldMug", "sim.form @OldCrate"}),
        (Lines{
            "> ImportShipInterior Items",
            kImported,
            kUndone,
            "> sim.cell",
            "FF000802 @Deck (interior): 11 reference slots",
            kPlayerSlot,
            kWorkbenchSlot,
            // Of the inventory type: removed.
            "[2] empty",
            // Linked to the workshop: removed.
            "[3] empty",
            "[4] FF000807 @OldBunk: base 000A3011 Bunk (47 FURN) at (0, 0, 0), rotation (0, 0, 0), scale 100",
            // Linked to something that is no workshop, and an actor: both stay.
            "[5] FF000808 @OldTerminal: base 000A3015 Terminal (62 TERM) at (0, 0, 0), rotation (0, 0, 0), "
            "scale 100, linked to FF000807 @OldBunk under 00054BA4 WorkshopItemKeyword (persist)",
            "[6] FF000809 @Guard: base 000A3020 Statue (50 NPC_) at (0, 0, 0), rotation (0, 0, 0), scale 100" +
                std::string(kLinked),
            // The container that is no workshop item, the bunk and the
            // statue, whose type no blueprint carries, are not placed.
            "[7] FF00080A: base 000A3002 Mug (40 MISC) at (1, 1, 1), rotation (0, 0, 0), scale 100",
            "[8] FF00080B: base 000A3013 Crate (36 CONT) at (3, 3, 3), rotation (0, 0, 0), scale 100" +
                std::string(kLinked),
            "[9] FF00080C: base FE000801 Lantern (40 MISC) at (6, 6, 6), rotation (0, 0, 0), scale 100",
            "[10] FF00080D: base FD000804 Logbook (35 BOOK) at (7, 7, 7), rotation (0, 0, 0), scale 100",
            "> sim.form @OldMug",
            "FF000805 @OldMug (removed): type 74 OREF, name \"\", files none, keywords none, base 000A3002 Mug, "
            "cell none, position (0, 0, 0), rotation (0, 0, 0), scale 100, extra data []",
            "> sim.form @OldCrate",
            "FF000806 @OldCrate (removed): type 74 OREF, name \"\", files none, keywords none, base 000A3013 Crate, "
            "cell none, position (0, 0, 0), rotation (0, 0, 0), scale 100, extra data [], workshop clean-up done",
        }));
}

// An item of every type a blueprint knows, and one of a type it does not,
// each a workshop item, so that the placement rule lets every one through.
std::string EveryTypeAsWorkshopItems() {
    std::vector<DecorItem> items;
    for (const char* local : {"0A3000", "0A3001", "0A3002", "0A3003", "0A3004", "0A3005", "0A3006", "0A3011", "0A3013",
                              "0A3014", "0A3015", "0A3016", "0A3017", "0A3020"}) {
        items.push_back(DecorItem(std::string(local) + "|Veltrane.vmf").AsWorkshopItem());
    }
    return BlueprintOf(items);
}

// The types of the references the import placed, from sim.cell.
Lines PlacedTypes(const Lines& console) {
    static const std::regex placed(R"(^\[\d+\] FF[0-9A-F]{6}: base [0-9A-F]{8} \w+ \(([^)]*)\).*)");
    Lines types;
    for (const std::string& line : console) {
        if (std::smatch match; std::regex_match(line, match, placed)) types.push_back(match[1].str());
    }
    return types;
}

TEST_F(InteriorImport, EachSkipFlagOfTheImport_KeepsItsTypeOut_ButNoFlagKeepsOutType49) {
    WriteBlueprint("Types", EveryTypeAsWorkshopItems());
    const InteriorWorld world;
    EXPECT_EQ(PlacedTypes(RunWorld(folder, world.Text(), {"ImportShipInterior Types", "sim.cell"})),
              (Lines{"34 ARMO", "35 BOOK", "40 MISC", "48 WEAP", "53 KEYM", "54 ALCH", "49 AMMU", "47 FURN", "36 CONT",
                     "44 MSTT", "62 TERM", "43", "30"}))
        << "type 50 is none a blueprint carries";

    WriteImportSettings(
        "bSkipBOOK=1\r\nbSkipMISC=1\r\nbSkipFURN=1\r\nbSkipKEYM=1\r\nbSkipALCH=1\r\nbSkipMSTT=1\r\n"
        "bSkipCONT=1\r\nbSkipTERM=1\r\nbSkipARMO=1\r\nbSkipWEAP=1\r\nbSkipType43=1\r\nbSkipType30=1\r\n");
    // No key reaches the flags of types 43 and 30.
    EXPECT_EQ(PlacedTypes(RunWorld(folder, world.Text(), {"ImportShipInterior Types", "sim.cell"})),
              (Lines{"49 AMMU", "43", "30"}));
}

TEST_F(InteriorImport, EachKindOfLine_ReachesTheGameAsWritten_NamesAPlayerGaveKeepingTheirWholeText) {
    WriteBlueprint("Lines", BlueprintText({
                                "DecorItem[0].base |0A3002|Veltrane.vmf",
                                "DecorItem[0].fPosX |1.500000",
                                "DecorItem[0].fPosY |-2.250000",
                                "DecorItem[0].fPosZ |0.900000",
                                "DecorItem[0].fRotX |90.000000",
                                "DecorItem[0].fRotY |-45.000000",
                                "DecorItem[0].fRotZ |180.000000",
                                "DecorItem[0].fScale |1.500000",
                                "DecorItem[0].overrideName |Crate.base",
                                // Without a scale line the item keeps scale 0.
                                "DecorItem[1].base |0A3001|Veltrane.vmf",
                                "DecorItem[1].overrideName |A|B|0A3002|Veltrane.vmf",
                                "DecorItem[2].base |0A3003|Veltrane.vmf",
                                "DecorItem[2].fScale |1.000000",
                                "DecorItem[2].overrideName |%n%s 100%",
                                "DecorItem[2].overrideName |",
                                "DecorItem[3].base |0A3002|Veltrane.vmf",
                                "DecorItem[3].fScale |0.800000",
                                "DecorItem[3].overrideName |DecorItem[0].fPosX |9",
                                // A repeated base line replaces the base.
                                "DecorItem[3].base |0A3005|Veltrane.vmf",
                                "DecorItem[4].base |0A3023|Veltrane.vmf",
                                "DecorItem[4].fScale |1.000000",
                                "DecorItem[4].overrideName |Not kept without extra data",
                                // Lines the reader has no field for.
                                "DecorItem[4].unknown |1",
                                "DecorItem[9]",
                            }));
    const Lines console =
        RunWorld(folder, InteriorWorld().Text(), {"ImportShipInterior Lines", "sim.cell"});
    EXPECT_EQ(console,
              (Lines{
                  "> ImportShipInterior Lines",
                  "ImportShipInterior: WARNING: 4 decoration items lack a position, rotation or scale line, and the "
                  "game takes 0 for it: DecorItem[1] has no fPosX, fPosY, fPosZ, fRotX, fRotY, fRotZ, fScale lines",
                  kImported,
                  kUndone,
                  "> sim.cell",
                  "FF000802 @Deck (interior): 7 reference slots",
                  kPlayerSlot,
                  kWorkbenchSlot,
                  "[2] FF000805: base 000A3002 Mug (40 MISC) at (1.5, -2.25, 0.9), rotation (1.5707964, "
                  "-0.7853982, 3.1415927), scale 150, named \"Crate.base\"",
                  "[3] FF000806: base 000A3001 Book (35 BOOK) at (0, 0, 0), rotation (0, 0, 0), scale 0, named "
                  "\"A|B|0A3002|Veltrane.vmf\"",
                  "[4] FF000807: base 000A3003 Cutter (48 WEAP) at (0, 0, 0), rotation (0, 0, 0), scale 100, "
                  "named \"%n%s 100%\"",
                  "[5] FF000808: base 000A3005 MedPack (54 ALCH) at (0, 0, 0), rotation (0, 0, 0), scale 80, "
                  "named \"DecorItem[0].fPosX |9\"",
                  "[6] FF000809: base 000A3023 Plain (40 MISC) at (0, 0, 0), rotation (0, 0, 0), scale 100, "
                  "no extra data",
              }));
}

TEST_F(InteriorImport, NamesAPlayerGaveItems_ComeBackWholeFromTheExportersBlueprint) {
    InteriorWorld world;
    const std::vector<std::string> names = {
        "Crate.base", "A|B|0A3002|Veltrane.vmf", "%n%s 100%", "DecorItem[0].fPosX |9", ".bWorkshopItem", "Version: 9"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        world.deckItems.push_back(R"({"id": "@Named)" + std::to_string(i) + R"(", "base": "Mug", "extra": {"name": ")" +
                                  names[i] + R"("}})");
    }
    const Lines console = RunWorld(folder, world.Text(), {"ExportShip Names", "ImportShipInterior Names", "sim.cell"});
    ASSERT_EQ(console.size(), 10 + 2 * names.size()) << console.back();
    EXPECT_EQ(console[4], kImported);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(console[10 + i], "[" + std::to_string(2 + i) + "] empty");
        const std::string placed = console[10 + names.size() + i];
        EXPECT_TRUE(placed.ends_with(", scale 100, named \"" + names[i] + "\"")) << placed;
    }
}



TEST_F(InteriorImport, ANameWithAPathSeparator_IsLookedUpInsideTheSpaceshipsFolder) {
    std::filesystem::create_directories(folder.Spaceships() / "Fleet");
    WriteBytes(folder.Spaceships() / "Fleet" / "Mugs.txt", BlueprintOf({DecorItem("0A3002|Veltrane.vmf")}));
    EXPECT_EQ(RunWorld(folder, InteriorWorld().Text(),
                                       {"ImportShipInterior Fleet\\Mugs", "ImportShipInterior Fleet/Mugs"}),
              (Lines{"> ImportShipInterior Fleet\\Mugs", kImported, kUndone, "> ImportShipInterior Fleet/Mugs",
                     kImported, InteriorUndoLine("Ship", 2)}));
}

std::string PhaseLine(const std::string& phase, const std::string& text = {}) {
    return "[Error in phase: " + phase + (text.empty() ? "" : " | Extra error text: " + text) + "]";
}

// A refused import: the blueprint it finds (none when empty), the command,
// and the lines the player reads after it.
struct Refusal {
    std::string name;
    Lines blueprint;
    std::string command;
    Lines console;
};

// Runs the refusals on the world between two dumps, which must be the same
// byte for byte.
void ExpectRefusedWithWorldUnchanged(const GameFolder& folder, const std::string& world,
                                     const std::vector<Refusal>& refusals,
                                     const std::vector<std::string>& before = {}) {
    std::vector<std::string> console = before;
    console.push_back("sim.dump before.json");
    Lines expected;
    for (const Refusal& refusal : refusals) {
        if (!refusal.blueprint.empty()) {
            WriteBytes(folder.Spaceships() / (refusal.name + ".txt"), BlueprintText(refusal.blueprint));
        }
        console.push_back(refusal.command);
        expected.push_back("> " + refusal.command);
        expected.insert(expected.end(), refusal.console.begin(), refusal.console.end());
    }
    console.push_back("sim.dump after.json");
    Lines lines = RunWorld(folder, world, console);
    const auto first = std::find(lines.begin(), lines.end(), "World written to before.json");
    ASSERT_NE(first, lines.end());
    lines.erase(lines.begin(), first + 1);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "World written to after.json");
    lines.resize(lines.size() - 2);
    EXPECT_EQ(MaskDescriptionAddresses(lines), expected);
    EXPECT_EQ(ReadBytes(folder.Game() / "after.json"), ReadBytes(folder.Game() / "before.json"));
    EXPECT_FALSE(std::filesystem::is_directory(folder.Spaceships() / "Backups")) << "no backup is written";
}

TEST_F(InteriorImport, EveryRefusal_ResultsInItsLines_AndLeavesTheWorldDumpByteIdentical) {
    InteriorWorld world;
    world.deckItems = {
        R"({"id": "@OldMug", "base": "Mug"})",
        R"({"id": "@OldCrate", "base": "Crate", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]}})",
    };
    const std::string mug = "DecorItem[0].base |0A3002|Veltrane.vmf";
    const std::string folderText = "[.\\Data\\ORBX\\Plugins\\Spaceships\\";
    const auto why = [](const std::string& reason) { return "ImportShipInterior: INFO: " + reason; };
    const auto noFile = [&](const std::string& path) {
        return Lines{"ImportShipInterior: ERROR: no file exists at " + folderText + path + "]",
                     why("blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships in the game folder: give "
                         "the name without .txt, in quotes when it has blanks")};
    };
    // The refusal, where the reading stopped, and why in a player's words.
    const auto refusedAt = [&](const std::string& phase, const std::string& reason) {
        return Lines{kNotImported, PhaseLine(phase), why(reason)};
    };
    const std::string noItem = "no item has this index: its base line must come first";
    const std::string notNumber = "the value is not a number";
    ExpectRefusedWithWorldUnchanged(
        folder, world.Text(),
        {
            {"", {}, "ImportShipInterior", {"ImportShipInterior: ERROR: parameter 'asBlueprintName' is empty."}},
            {"", {}, "ImportShipInterior Missing", noFile("Missing.txt")},
            {"%n", {mug}, "ImportShipInterior %n%s", noFile("%n%s.txt")},
            {"Swapped",
             {"DecorItem[1].base |0A3002|Veltrane.vmf", mug},
             "ImportShipInterior Swapped",
             refusedAt("importing DecorItem|base at DecorItem[1].base |0A3002|Veltrane.vmf",
                       "the index is neither the next item's nor an earlier item's")},
            {"NoNumber",
             {mug, "DecorItem[0].fPosX |abc"},
             "ImportShipInterior NoNumber",
             refusedAt("importing DecorItem|fPosX at DecorItem[0].fPosX |abc", notNumber)},
            {"Infinite",
             {mug, "DecorItem[0].fScale | -inf"},
             "ImportShipInterior Infinite",
             refusedAt("importing DecorItem|fScale at DecorItem[0].fScale | -inf", notNumber)},
            {"NoBase",
             {mug, "DecorItem[1].fPosY |1.0"},
             "ImportShipInterior NoBase",
             refusedAt("importing DecorItem|fPosY at DecorItem[1].fPosY |1.0", noItem)},
            {"NoItem",
             {mug, "DecorItem[1].bWorkshopItem"},
             "ImportShipInterior NoItem",
             refusedAt("importing DecorItem|bWorkshopItem at DecorItem[1].bWorkshopItem", noItem)},
            {"Negative",
             {mug, "DecorItem[-1].overrideName |Mug"},
             "ImportShipInterior Negative",
             refusedAt("importing DecorItem|overrideName at DecorItem[-1].overrideName |Mug", noItem)},
            // A form no loaded file holds and one that cannot be placed,
            // after an item that could be: nothing is placed.
            {"NotLoaded",
             {mug, "DecorItem[1].base |0A3002|Missing.vmf"},
             "ImportShipInterior NotLoaded",
             Concatenated({refusedAt("importing DecorItem|base at DecorItem[1].base |0A3002|Missing.vmf",
                                     "the form's data file is not loaded"),
                           {why("this blueprint needs data files that are not loaded: Missing.vmf (1 line)")}})},
            {"Keyword",
             {mug, "DecorItem[1].base |054BA6|Veltrane.vmf"},
             "ImportShipInterior Keyword",
             refusedAt("importing DecorItem|base at DecorItem[1].base |054BA6|Veltrane.vmf",
                       "the form is not a thing that can be placed")},
            // Every data file the blueprint lacks is named at once, with the
            // lines that need it; a form that a loaded file does not hold is
            // counted apart. The other refused lines do not count.
            {"Shared",
             {mug, "DecorItem[1].base |0A3002|Trimwork.vmf", "DecorItem[1].fPosX |abc",
              "DecorItem[2].base |000801|Hullworks.vmf", "DecorItem[3].base |0A3003|Trimwork.vmf",
              "DecorItem[4].base |0DEAD0|Veltrane.vmf"},
             "ImportShipInterior Shared",
             Concatenated({refusedAt("importing DecorItem|base at DecorItem[1].base |0A3002|Trimwork.vmf",
                                     "the form's data file is not loaded"),
                           {why("this blueprint needs data files that are not loaded: Trimwork.vmf (2 lines), "
                                "Hullworks.vmf (1 line)"),
                            why("this blueprint names forms that their data files do not hold: Veltrane.vmf (1 "
                                "line)")}})},
            // A blueprint without items would only empty the interior.
            {"Bare",
             {"Blueprint.unk08 |0"},
             "ImportShipInterior Bare",
             {kNotImported, PhaseLine("checking the blueprint as a whole",
                                      "the blueprint holds no decoration item (it has no \"DecorItem[0].base\" line), "
                                      "so the import would only empty the interior")}},
        });
}

TEST_F(InteriorImport, AGameOrAPlaceThatCannotTakeTheItems_OrABackupThatCannotBeWritten_IsRefused) {
    WriteBlueprint("Items", BlueprintOf({DecorItem("0A3002|Veltrane.vmf")}));
    const auto why = [](const std::string& reason) { return "ImportShipInterior: INFO: " + reason; };
    // The refusal, then why in a player's words and what to do.
    const auto refusal = [&](const std::string& text, const std::string& reason) {
        return std::vector<Refusal>{{"",
                                     {},
                                     "ImportShipInterior Items",
                                     {kNotImported, PhaseLine("preparing to import ship interior", text), why(reason)}}};
    };
    const std::string noKeyword = "the game's data files lack a workshop keyword, so no interior can be imported with "
                                  "them";

    ExpectRefusedWithWorldUnchanged(folder, InteriorWorld().Text(),
                                    {{"",
                                      {},
                                      "ImportShipInterior Items",
                                      {"ImportShipInterior: ERROR: Player is not in the ship.",
                                       why("board the ship whose interior you decorate, then import again")}}},
                                    {"sim.leave"});

    InteriorWorld exterior;
    exterior.deckInterior = false;
    ExpectRefusedWithWorldUnchanged(
        folder, exterior.Text(),
        refusal(
            "theInteriorCell [FF000802 | <address> | 73|CELL | 65535|0xFFFF | {unnamed} | {no_edid}] is not interior",
            "you are not inside the ship: go into its interior and import again"));

    InteriorWorld noWorkshopKeyword;
    noWorkshopKeyword.workshopKeyword = "null";
    ExpectRefusedWithWorldUnchanged(folder, noWorkshopKeyword.Text(),
                                    refusal("WorkshopKeyword is nullptr or not QRNKeyword", noKeyword));

    InteriorWorld itemKeywordNoKeyword;
    itemKeywordNoKeyword.workshopItemKeyword = "\"Mug\"";
    ExpectRefusedWithWorldUnchanged(folder, itemKeywordNoKeyword.Text(),
                                    refusal("WorkshopItemKeyword is nullptr or not QRNKeyword", noKeyword));

    // A file where the backups' folder belongs: the item placed is taken
    // back, and nothing else changes.
    WriteBytes(folder.Spaceships() / "Backups", "not a folder");
    EXPECT_EQ(RunWorld(folder, InteriorWorld().Text(), {"sim.dump before.json", "ImportShipInterior Items", "sim.dump after.json"}),
              (Lines{"> sim.dump before.json", "World written to before.json", "> ImportShipInterior Items",
                     kNotImported, PhaseLine("backing up the ship interior", "Blueprint write error: !log.is_open()"),
                     why("the backup of what the import replaces could not be written: free the "
                         "Spaceships\\Backups folder (it must be a folder, not a file, that can be written), then "
                         "import again"),
                     "> sim.dump after.json", "World written to after.json"}));
    const sim::Json before = sim::Json::parse(ReadBytes(folder.Game() / "before.json"));
    int takenBack = 0;
    EXPECT_EQ(dev_support::WithoutReferencesTakenBack(sim::Json::parse(ReadBytes(folder.Game() / "after.json")),
                                                      before, takenBack),
              dev_support::WithoutNextRuntimeFormID(before));
    EXPECT_EQ(takenBack, 1);
    std::filesystem::remove(folder.Spaceships() / "Backups");

    InteriorWorld noWorkshop;
    noWorkshop.workbench = false;
    noWorkshop.deckItems = {R"({"id": "@OldMug", "base": "Mug"})"};
    ExpectRefusedWithWorldUnchanged(
        folder, noWorkshop.Text(),
        refusal("ClosestWorkshopRef is nullptr",
                "the ship has no workshop: place a workbench in or near the ship, then import again"));
}

}  // namespace
}  // namespace e2e
