// ImportShipLayout as a player uses it: a ship exported in the first
// playthrough comes back in the second, with another load order, and exports
// again as it was exported; the backup undoes the import; and what a player
// types, names with characters files cannot hold included, finds its file.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kUndoLine = "ImportShipLayout: INFO: the previous layout was saved; to undo, run: ImportShipLayout ";


std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The backup an import's undo line names.
std::string BackupOf(const std::string& undoLine) {
    const std::string prefix = kUndoLine + "\"Backups\\";
    EXPECT_TRUE(undoLine.starts_with(prefix) && undoLine.ends_with("\"")) << undoLine;
    return undoLine.substr(prefix.size(), undoLine.size() - prefix.size() - 1);
}

// What a blueprint cannot carry from one playthrough to the next, applied to
// the lines the first playthrough exported: the lines the ship exports with
// after the import. The header and the decoration items are left out of both.
Lines AfterTheRoundTrip(const Lines& exported) {
    static const std::regex kRawBytes(R"(^(Blueprint\.data\[\d+\]\.unk48_98 \|).*$)");
    static const std::regex kItemExtra(R"(^(KORContainer\[\d+\]\.itemExtra \|).*$)");
    Lines lines;
    for (const std::string& line : exported) {
        std::smatch match;
        if (line.starts_with("Ship: ") || line.starts_with("Export time: ") || line.starts_with("DecorItem[")) continue;
        // The attach parents stay the home ship's own.
        if (line.starts_with("QRNAttachParentArray[")) {
            if (line.starts_with("QRNAttachParentArray[0]")) lines.push_back("QRNAttachParentArray[0] |0A0110|Veltrane.vmf");
            continue;
        }
        // Keywords are numbered as the ship holds them, without the gap of
        // an empty entry.
        if (line == "QRNKeywordForm[2] |000810|Frontier.vmf") {
            lines.push_back("QRNKeywordForm[1] |000810|Frontier.vmf");
        } else if (std::regex_match(line, match, kRawBytes)) {
            // The raw bytes cannot be split back out of their text.
            lines.push_back(match[1].str() + std::string(80, '0'));
        } else if (std::regex_match(line, match, kItemExtra)) {
            // An item extra is an object of the running game.
            lines.push_back(match[1].str() + "?");
        } else if (line.starts_with("Blueprint.unk28 |") || line.starts_with("Blueprint.unk30 |") ||
                   line.starts_with("Blueprint.unk34 |") || line.starts_with("Blueprint.unk3C |")) {
            // Not read: the home ship keeps its own.
            const std::string key = line.substr(0, line.find('|') + 1);
            const char* value = line.starts_with("Blueprint.unk28") ? "1" : line.starts_with("Blueprint.unk30") ? "2"
                                : line.starts_with("Blueprint.unk34")                                      ? "3"
                                                                                                            : "4";
            lines.push_back(key + value);
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

Lines WithoutHeaderAndItems(const Lines& exported) {
    Lines lines;
    for (const std::string& line : exported) {
        if (!line.starts_with("Ship: ") && !line.starts_with("Export time: ") && !line.starts_with("DecorItem[")) {
            lines.push_back(line);
        }
    }
    return lines;
}

class LayoutImport : public ::testing::Test {
protected:
    void SetUp() override {
        first.InstallCorvanis();
        second.InstallCorvanis();
    }

    // Exports in the first playthrough and copies the blueprints into the
    // second's Spaceships folder, as a player would.
    void ExportInFirstPlaythrough(const fs::path& world, const std::vector<std::string>& console) {
        for (const std::string& line : RunWorldFile(first, world, console)) {
            if (!line.starts_with("> ")) {
                EXPECT_TRUE(line == "ExportShipRef: INFO: ship exported." ||
                            line.starts_with("ExportShipRef: INFO: written to Spaceships\\"))
                    << line;
            }
        }
        for (const auto& entry : fs::directory_iterator(first.Spaceships())) {
            fs::copy_file(entry.path(), second.Spaceships() / entry.path().filename());
        }
    }

    GameFolder first;
    GameFolder second;
};

TEST_F(LayoutImport, TheFirstPlaythroughsShip_ExportsAgainFromTheSecond_AndTheBackupUndoesTheImport) {
    ExportInFirstPlaythrough(StarterWorld(), {"ExportShip Pathfinder"});
    const Lines console =
        RunWorldFile(second, SecondPlaythroughWorld(),
                     {"sim.dump before.json", "ImportShipLayout Pathfinder", "sim.dump after.json", "sim.board @Kestrel",
                      "ExportShip Again"});
    ASSERT_EQ(console.size(), 12u);
    EXPECT_EQ(console,
              Concatenated({{"> sim.dump before.json", "World written to before.json", "> ImportShipLayout Pathfinder",
                             kLayoutImportedLine, kUndoLine + "\"Backups\\Kestrel layout 1\"", "> sim.dump after.json",
                             "World written to after.json", "> sim.board @Kestrel",
                             "The player boards FF000803 @Kestrel and stands in FF000801 @KestrelInterior."},
                            Exported("ExportShip Again", "Again.txt")}));
    EXPECT_EQ(WithoutHeaderAndItems(ComparableBlueprint(second.Spaceships() / "Again.txt")),
              AfterTheRoundTrip(ComparableBlueprint(first.Spaceships() / "Pathfinder.txt")));

    const std::string backup = BackupOf(console[4]);
    EXPECT_EQ(FolderEntries(second.Spaceships() / "Backups"), Lines{backup + ".txt"});
    const Lines undo = RunWorldFile(second, second.Game() / "after.json",
                                    {"ImportShipLayout \"Backups\\" + backup + "\"", "sim.dump undone.json"});
    ASSERT_EQ(undo.size(), 5u);
    EXPECT_EQ(undo[1], kLayoutImportedLine);
    EXPECT_EQ(undo[2], kUndoLine + "\"Backups\\Pathfinder layout 1\"");

    // The home ship is exactly as it was: its modules' raw bytes and whole
    // numbers, its property sheet without the registration entry an import
    // adds, and the name it showed from its base.
    EXPECT_EQ(ReadBytes(second.Game() / "undone.json"), ReadBytes(second.Game() / "before.json"));
}

TEST_F(LayoutImport, WhatAPlayerTypes_FindsTheExportedFile_AndNamesWithKeysOrFormatsComeBackWhole) {
    const std::string renamed = Replaced(ReadBytes(StarterWorld()), R"("rotation": [0.0, 0.0, 1.5707963705062866],
      "interior": "PathfinderInterior")",
                                         R"("rotation": [0.0, 0.0, 1.5707963705062866],
      "extra": {"name": "Mk2 QRNKeywordForm[0] Version: 3 | .data[0] %n"},
      "interior": "PathfinderInterior")");
    ExportInFirstPlaythrough(first.WriteFile("renamed.json", renamed), {"ExportShip \"Mk2: Rebirth\""});
    EXPECT_EQ(FolderEntries(second.Spaceships()), Lines{"Mk2; Rebirth.txt"});

    const Lines console = RunWorldFile(
        second, SecondPlaythroughWorld(),
        {"ImportShipLayout", "ImportShipLayout Missing", "sim.board @Kestrel", "ImportShipLayout \"Mk2: Rebirth\"",
         "sim.leave", "ImportShipLayout \"Mk2: Rebirth\"", "ImportShipLayout \"Mk2: Rebirth\"", "sim.ships"});
    EXPECT_EQ(Without(Without(console, "The player boards "), "The player leaves "),
              (Lines{"> ImportShipLayout",
                     "ImportShipLayout: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ImportShipLayout Missing",
                     "ImportShipLayout: ERROR: no file exists at [.\\Data\\ORBX\\Plugins\\Spaceships\\Missing.txt]",
                     "ImportShipLayout: INFO: blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships in the "
                     "game folder: give the name without .txt, in quotes when it has blanks",
                     "> sim.board @Kestrel",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     "ImportShipLayout: ERROR: Player is currently in the Homeship.",
                     "ImportShipLayout: INFO: the layout of a ship you are aboard cannot change: leave the home ship "
                     "first, then import again",
                     "> sim.leave",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     kLayoutImportedLine,
                     kUndoLine + "\"Backups\\Kestrel layout 1\"",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     kLayoutImportedLine,
                     kUndoLine + "\"Backups\\Mk2 QRNKeywordForm[0] Version; 3 ; .data[0] %n layout 1\"",
                     "> sim.ships",
                     "FF000803 @Kestrel \"Mk2 QRNKeywordForm[0] Version: 3 | .data[0] %n\": base FF000800 "
                     "@KestrelBase, interior "
                     "FF000801 @KestrelInterior, home ship",
                     "FF000804 @Starborne \"Starborne\": base 000A2200 ShipStarborne, interior FF000802 "
                     "@StarborneInterior"}));
}

TEST_F(LayoutImport, ABlueprintEditedAsEditorsDo_AndItsNameTypedWithItsExtension_ImportsWithoutAWord) {
    ExportInFirstPlaythrough(StarterWorld(), {"ExportShip Pathfinder"});
    // A byte-order mark, and a blank after each data file's name.
    const fs::path blueprint = second.Spaceships() / "Pathfinder.txt";
    std::string edited = "\xEF\xBB\xBF";
    for (const std::string& line : ReadLines(blueprint)) edited += line + (line.ends_with(".vmf") ? " \r\n" : "\r\n");
    WriteBytes(blueprint, edited);

    const Lines console =
        RunWorldFile(second, SecondPlaythroughWorld(),
                     {"ImportShipLayout Pathfinder.txt", "sim.board @Kestrel", "ImportShipInterior Pathfinder.TXT"});
    const Lines said = Without(Without(console, "> "), "The player boards ");
    ASSERT_EQ(said.size(), 4u) << ::testing::PrintToString(console);
    EXPECT_EQ(said[0], kLayoutImportedLine);
    EXPECT_TRUE(said[1].starts_with(kUndoLine)) << said[1];
    EXPECT_EQ(said[2], "ImportShipInterior: INFO: ship interior successfully imported.");
    EXPECT_TRUE(said[3].starts_with("ImportShipInterior: INFO: the previous interior was saved")) << said[3];
}

}  // namespace
}  // namespace e2e
