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

const std::string kImported =
    "ImportShipLayout: INFO: ship layout successfully imported. Please modify the imported ship at a Ship Services "
    "Technician before flying it (any kind of modification will do). Fly it manually first (i.e. not with Fast "
    "Travel).";
const std::string kUndoLine = "ImportShipLayout: INFO: the previous layout was saved; to undo, run: ImportShipLayout ";

fs::path SecondPlaythrough() { return ExamplesFolder() / "worlds" / "second-playthrough.json"; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The backups' times, which differ from run to run, as "<time>".
Lines MaskBackupTimes(Lines lines) {
    static const std::regex kTime(R"( before import \d{4}-\d\d-\d\d \d\d-\d\d-\d\d)");
    for (std::string& line : lines) line = std::regex_replace(line, kTime, " before import <time>");
    return lines;
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
    static const std::regex kThroughAFloat(R"(^(Blueprint\.data\[\d+\]\.(?:partID|unk40|unk44) \|)(\d+)$)");
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
        } else if (std::regex_match(line, match, kThroughAFloat)) {
            // Whole numbers of a module are read through a float.
            const auto value = static_cast<std::uint32_t>(static_cast<float>(std::stoul(match[2].str())));
            lines.push_back(match[1].str() + std::to_string(value));
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
                EXPECT_EQ(line, "ExportShipRef: INFO: ship exported.");
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
        RunWorldFile(second, SecondPlaythrough(),
                     {"sim.dump before.json", "ImportShipLayout Pathfinder", "sim.dump after.json", "sim.board @Kestrel",
                      "ExportShip Again"});
    ASSERT_EQ(console.size(), 11u);
    EXPECT_EQ(MaskBackupTimes(console),
              (Lines{"> sim.dump before.json", "World written to before.json", "> ImportShipLayout Pathfinder",
                     kImported, kUndoLine + "\"Backups\\Kestrel before import <time>\"", "> sim.dump after.json",
                     "World written to after.json", "> sim.board @Kestrel",
                     "The player boards FF000803 @Kestrel and stands in FF000801 @KestrelInterior.",
                     "> ExportShip Again", "ExportShipRef: INFO: ship exported."}));
    EXPECT_EQ(WithoutHeaderAndItems(ComparableBlueprint(second.Spaceships() / "Again.txt")),
              AfterTheRoundTrip(ComparableBlueprint(first.Spaceships() / "Pathfinder.txt")));

    const std::string backup = BackupOf(console[4]);
    EXPECT_EQ(FolderEntries(second.Spaceships() / "Backups"), Lines{backup + ".txt"});
    const Lines undo = RunWorldFile(second, second.Game() / "after.json",
                                    {"ImportShipLayout \"Backups\\" + backup + "\"", "sim.dump undone.json"});
    ASSERT_EQ(undo.size(), 5u);
    EXPECT_EQ(undo[1], kImported);
    EXPECT_EQ(MaskBackupTimes({undo[2]}), Lines{kUndoLine + "\"Backups\\Pathfinder before import <time>\""});

    // The home ship is as it was, but for what a blueprint cannot carry: the
    // raw bytes of its modules, whole numbers beyond a float's precision,
    // and whether its name was its own or its base's. It also gets its
    // registration entry, as every imported ship does.
    std::string expected = ReadBytes(second.Game() / "before.json");
    expected = Replaced(expected, R"("third": 0.75})", R"("third": 0.75},
            {"first": "Veltrane.vmf:0C55B1", "second": null, "third": 1.0})");
    expected = Replaced(expected, R"("unk44": 16777217,)", R"("unk44": 16777216,)");
    for (const char* bytes : {"25303B46515C67727D88939EA9B4BFCAD5E0EBF6010C17222D38434E59646F7A85909BA6B1BCC7D2DDE8F3FE"
                              "09141F2A35404B56616C77828D98A3AEB9C4CFDAE5F0FB06111C27323D48535E69747F8A",
                              "4A55606B76818C97A2ADB8C3CED9E4EFFA05101B26313C47525D68737E89949FAAB5C0CBD6E1ECF7020D1823"
                              "2E39444F5A65707B86919CA7B2BDC8D3DEE9F4FF0A15202B36414C57626D78838E99A4AF"}) {
        expected = Replaced(expected, bytes, std::string(160, '0'));
    }
    expected = Replaced(expected, R"("rotation": [0.0, 0.0, 0.0],
      "interior": "@KestrelInterior")",
                        R"("rotation": [0.0, 0.0, 0.0],
      "extra": {"name": "Kestrel"},
      "interior": "@KestrelInterior")");
    EXPECT_EQ(ReadBytes(second.Game() / "undone.json"), expected);
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
        second, SecondPlaythrough(),
        {"ImportShipLayout", "ImportShipLayout Missing", "sim.board @Kestrel", "ImportShipLayout \"Mk2: Rebirth\"",
         "sim.leave", "ImportShipLayout \"Mk2: Rebirth\"", "ImportShipLayout \"Mk2: Rebirth\"", "sim.ships"});
    EXPECT_EQ(MaskBackupTimes(Without(Without(console, "The player boards "), "The player leaves ")),
              (Lines{"> ImportShipLayout",
                     "ImportShipLayout: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ImportShipLayout Missing",
                     "ImportShipLayout: ERROR: no file exists at [.\\Data\\ORBX\\Plugins\\Spaceships\\Missing.txt]",
                     "> sim.board @Kestrel",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     "ImportShipLayout: ERROR: Player is currently in the Homeship.",
                     "> sim.leave",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     kImported,
                     kUndoLine + "\"Backups\\Kestrel before import <time>\"",
                     "> ImportShipLayout \"Mk2: Rebirth\"",
                     kImported,
                     kUndoLine + "\"Backups\\Mk2 QRNKeywordForm[0] Version; 3 ; .data[0] %n before import <time>\"",
                     "> sim.ships",
                     "FF000803 @Kestrel \"Mk2 QRNKeywordForm[0] Version: 3 | .data[0] %n\": base FF000800 "
                     "@KestrelBase, interior "
                     "FF000801 @KestrelInterior, home ship",
                     "FF000804 @Starborne \"Starborne\": base 000A2200 ShipStarborne, interior FF000802 "
                     "@StarborneInterior"}));
}

}  // namespace
}  // namespace e2e
