// Texts that look like printf formats, in every console message that can
// carry a text from outside the plug-in: a blueprint name as typed, the path
// it makes, a blueprint line quoted in a phase, a ship's name in a backup's
// name, and the names of forms in the descriptions of error texts. Each shows
// '%n', '%s' and '%%' as they stand. A message handed to the game as a format
// would print '%' for '%%', garbage for '%s' and end the game at '%n'.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/InteriorWorld.h"
#include "tests/e2e/ShipWorld.h"

namespace e2e {
namespace {

const std::vector<std::string> kFormatTexts = {"%n", "%s", "%%"};

const std::string kSpaceships = ".\\Data\\ORBX\\Plugins\\Spaceships\\";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string PhaseLine(const std::string& phase, const std::string& text = {}) {
    return "[Error in phase: " + phase + (text.empty() ? "" : " | Extra error text: " + text) + "]";
}

// A layout blueprint: the header, and the lines given.
std::string LayoutBlueprint(const Lines& lines) {
    std::string text =
        "Ship: Ship [FormID: ] [EditorID: ] \r\nExport time: 2026-01-01 00:00:00.00000\r\nVersion: 2.00\r\n\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class FormatTexts : public ::testing::Test {
protected:
    void SetUp() override { folder.InstallCorvanis(); }

    void WriteBlueprint(const std::string& name, const std::string& bytes) const {
        WriteBytes(folder.Spaceships() / (name + ".txt"), bytes);
    }

    GameFolder folder;
};

TEST_F(FormatTexts, InABlueprintNameAndItsPath_ExportShipShowsThemAsTyped) {
    std::vector<std::string> console;
    Lines expected;
    for (const std::string& text : kFormatTexts) {
        const std::string command = "ExportShip \"Ship " + text + "\"";
        console.insert(console.end(), {command, command});
        expected.insert(expected.end(),
                        {"> " + command, "ExportShipRef: INFO: ship exported.",
                         "ExportShipRef: INFO: written to Spaceships\\Ship " + text + ".txt", "> " + command,
                         "ExportShipRef: ERROR: file already exists at [" + kSpaceships + "Ship " + text + ".txt].",
                         "ExportShipRef: INFO: an export never replaces a file: choose another name, or move the old "
                         "file out of the Spaceships folder"});
    }
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), console), expected);
    EXPECT_EQ(FolderEntries(folder.Spaceships()), (Lines{"Ship %%.txt", "Ship %n.txt", "Ship %s.txt"}));
}

TEST_F(FormatTexts, InTheNamesOfAnItemsBaseAndOfACell_TheExportsErrorTextsShowThem) {
    ShipWorld world;
    std::vector<std::string> console;
    Lines expected;
    for (std::size_t i = 0; i < kFormatTexts.size(); ++i) {
        const std::string text = kFormatTexts[i];
        const std::string number = std::to_string(i);
        // A form made in this playthrough belongs to no data file.
        world.Form(R"({"id": "@Loose)" + number + R"(", "formID": "FF0A000)" + number +
                   R"(", "type": 40, "name": "Loose )" + text + R"("})");
        world.Ship(TestShip("Cargo" + number).WithItems({R"({"id": "@Item)" + number + R"(", "base": "@Loose)" +
                                                         number + R"("})"}));
        world.Ship(TestShip("Outside" + number).WithExteriorInterior(R"(, "name": "Yard )" + text + R"(")"));
        console.insert(console.end(), {"sim.board @Cargo" + number, "ExportShip Cargo" + number,
                                       "sim.board @Outside" + number, "ExportShip Outside" + number});
        expected.insert(expected.end(),
                        {"ExportShipRef: ERROR: ship couldn't be exported.",
                         PhaseLine("exporting DecorItems", "KORFile of interior item [FF0A000" + number +
                                                               " | <address> | 40|MISC | 65535|0xFFFF | Loose " +
                                                               text + " | {no_edid}] is nullptr"),
                         "ExportShipRef: INFO: the ship holds something no blueprint can be written from, as the "
                         "text above names it, so nothing was written",
                         "ExportShipRef: ERROR: ship couldn't be exported.",
                         PhaseLine("preparing to export ship", "theInteriorCell [000C000" + std::to_string(2 * i + 1) +
                                                                   " | <address> | 73|CELL | 0|0x0 | Yard " +
                                                                   text + " | {no_edid}] is not interior"),
                         "ExportShipRef: INFO: you are not inside the ship: go into its interior and export again"});
    }
    const Lines shown = Without(Without(RunWorld(folder, world.Text(), console), "> "), "The player boards ");
    EXPECT_EQ(MaskDescriptionAddresses(shown), expected);
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{});
}

TEST_F(FormatTexts, InABlueprintNameALineAndAShipsName_ImportShipLayoutShowsThem) {
    std::vector<std::string> console;
    Lines expected;
    const std::string refused = "ImportShipLayout: ERROR: ship layout couldn't be imported.";
    for (std::size_t i = 0; i < kFormatTexts.size(); ++i) {
        const std::string text = kFormatTexts[i];
        const std::string number = std::to_string(i);
        WriteBlueprint("Module" + number, LayoutBlueprint({"Blueprint.data[0].fPosX |" + text}));
        WriteBlueprint("Version" + number, LayoutBlueprint({"Version: " + text}));
        WriteBlueprint("File" + number, LayoutBlueprint({"QRNKeywordForm[0] |0A0102|" + text + ".vmf"}));
        // Each import names the ship; the next one's backup carries the name.
        WriteBlueprint("Named" + number, LayoutBlueprint({"Blueprint.data[0].fPosX |0",
                                                          "Blueprint.data[0].item |0A2000|Veltrane.vmf",
                                                          "DisplayName |Ship " + text}));
        const std::string previous = i == 0 ? "Kestrel" : "Ship " + kFormatTexts[i - 1];
        console.insert(console.end(), {"ImportShipLayout \"Missing " + text + "\"", "ImportShipLayout Module" + number,
                                       "ImportShipLayout File" + number, "ImportShipLayout Named" + number});
        expected.insert(
            expected.end(),
            {"ImportShipLayout: ERROR: no file exists at [" + kSpaceships + "Missing " + text + ".txt]",
             "ImportShipLayout: INFO: blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships in the game "
             "folder: give the name without .txt, in quotes when it has blanks",
             refused, PhaseLine("importing Blueprint|data|fPosX at Blueprint.data[0].fPosX |" + text),
             "ImportShipLayout: INFO: the value is not a number", refused,
             PhaseLine("importing QRNKeywordForm at QRNKeywordForm[0] |0A0102|" + text + ".vmf"),
             "ImportShipLayout: INFO: the form's data file is not loaded",
             "ImportShipLayout: INFO: this blueprint needs data files that are not loaded: " + text + ".vmf (1 line)",
             kLayoutImportedLine,
             "ImportShipLayout: INFO: the previous layout was saved; to undo, run: ImportShipLayout \"Backups\\" +
                 previous + " layout 1\""});
    }
    // The version line is quoted in the phase and in its text.
    for (std::size_t i = 0; i < kFormatTexts.size(); ++i) {
        console.push_back("ImportShipLayout Version" + std::to_string(i));
        expected.insert(expected.end(),
                        {refused, PhaseLine("importing Version at Version: " + kFormatTexts[i],
                                            "blueprint's version couldn't be parsed")});
    }
    console.push_back("sim.ships");
    expected.push_back("FF000803 @Kestrel \"Ship %%\": base FF000800 @KestrelBase, interior FF000801 "
                       "@KestrelInterior, home ship");
    const Lines shown = RunWorldFile(folder, SecondPlaythroughWorld(), console);
    Lines masked = Without(shown, "> ");
    masked.pop_back();  // the second ship
    EXPECT_EQ(masked, expected);
}

TEST_F(FormatTexts, InABlueprintNameALineAShipsNameAndAnItemsBase_ImportShipInteriorShowsThem) {
    const std::string refused = "ImportShipInterior: ERROR: ship interior couldn't be imported.";
    const std::string mug = "DecorItem[0].base |0A3002|Veltrane.vmf";
    for (std::size_t i = 0; i < kFormatTexts.size(); ++i) {
        const std::string text = kFormatTexts[i];
        const std::string number = std::to_string(i);
        SCOPED_TRACE(text);
        InteriorWorld world;
        world.forms.push_back(R"({"id": "Veltrane.vmf:0A3030", "type": 40, "name": "Relic )" + text +
                              R"(", "placement": "refused"})");
        world.forms.push_back(R"({"id": "@Loose", "formID": "FF0A0001", "type": 40, "name": "Loose )" + text +
                              R"("})");
        const std::string named =
            Replaced(world.Text(), R"({"id": "@ShipBase", "type": 65, "name": "Ship"})",
                     R"({"id": "@ShipBase", "type": 65, "name": "Ship )" + text + R"("})");
        WriteBlueprint("Position", BlueprintText({mug, "DecorItem[0].fPosX |" + text}));
        WriteBlueprint("File", BlueprintText({"DecorItem[0].base |0A3002|" + text + ".vmf"}));
        WriteBlueprint("Name", BlueprintText({mug, "DecorItem[1].overrideName |" + text}));
        WriteBlueprint("Relic", BlueprintText({"DecorItem[0].base |0A3030|Veltrane.vmf"}));
        WriteBlueprint("Mug", BlueprintText({mug, "DecorItem[0].fPosX |0.0", "DecorItem[0].fPosY |0.0",
                                             "DecorItem[0].fPosZ |0.0", "DecorItem[0].fRotX |0.0",
                                             "DecorItem[0].fRotY |0.0", "DecorItem[0].fRotZ |0.0",
                                             "DecorItem[0].fScale |1.0"}));
        const Lines shown = RunWorld(folder, named,
                                     {"ImportShipInterior \"Missing " + text + "\"", "ImportShipInterior Position",
                                      "ImportShipInterior File", "ImportShipInterior Name", "ImportShipInterior Relic",
                                      "ImportShipInterior Mug"});
        EXPECT_EQ(MaskDescriptionAddresses(Without(shown, "> ")),
                  (Lines{"ImportShipInterior: ERROR: no file exists at [" + kSpaceships + "Missing " + text + ".txt]",
                         "ImportShipInterior: INFO: blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships "
                         "in the game folder: give the name without .txt, in quotes when it has blanks",
                         refused, PhaseLine("importing DecorItem|fPosX at DecorItem[0].fPosX |" + text),
                         "ImportShipInterior: INFO: the value is not a number", refused,
                         PhaseLine("importing DecorItem|base at DecorItem[0].base |0A3002|" + text + ".vmf"),
                         "ImportShipInterior: INFO: the form's data file is not loaded",
                         "ImportShipInterior: INFO: this blueprint needs data files that are not loaded: " + text +
                             ".vmf (1 line)",
                         refused,
                         PhaseLine("importing DecorItem|overrideName at DecorItem[1].overrideName |" + text),
                         "ImportShipInterior: INFO: no item has this index: its base line must come first", refused,
                         PhaseLine("importing DecorItems", "CreatedRefs.size == 0 of base [000A3030 | <address> | "
                                                           "40|MISC | 0|0x0 | Relic " +
                                                               text + " | {no_edid}]"),
                         "ImportShipInterior: INFO: the game would not place the item the text above names, so the "
                         "items placed before it were taken back and the interior is as it was",
                         "ImportShipInterior: INFO: ship interior successfully imported.",
                         InteriorUndoLine("Ship " + text)}));

        // An item the format cannot carry is named before it goes; the rest
        // of the interior has its backup.
        InteriorWorld loose = world;
        loose.deckItems.push_back(R"({"id": "@Trinket)" + number + R"(", "formID": "FF0B000)" + number +
                                  R"(", "base": "@Loose"})");
        EXPECT_EQ(MaskDescriptionAddresses(Without(RunWorld(folder, loose.Text(), {"ImportShipInterior Mug"}), "> ")),
                  (Lines{"ImportShipInterior: WARNING: 1 item that this import removes is gone for good: no "
                         "blueprint can carry it, so the undo cannot bring it back (such an item came with the game's "
                         "data files, is of a kind a blueprint does not know, or has a base from no data file; it is "
                         "Loose " +
                             text + " [FF0A0001])",
                         "ImportShipInterior: INFO: ship interior successfully imported.",
                         InteriorUndoLine("Ship", static_cast<int>(i) + 1)}));
    }
}

}  // namespace
}  // namespace e2e
