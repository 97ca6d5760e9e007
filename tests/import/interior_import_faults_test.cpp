// An interior import whose blueprint cannot be read, or whose blueprint a
// player has edited by hand: it either imports or leaves the world exactly
// as it was, down to the last byte of a dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/ExportShip.h"
#include "import/ImportShipInterior.h"
#include "sim/Game.h"
#include "sim/memory/GameMemory.h"
#include "sim/worldfile/Json.h"
#include "support/CellItems.h"
#include "support/ReferencesTakenBack.h"
#include "support/ScratchFolder.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/InProcessGame.h"

namespace {

using corvanis_test::FailingFileSystem;
using corvanis_test::FileOperation;
using Lines = std::vector<std::string>;

const char* const kImported = "ImportShipInterior: INFO: ship interior successfully imported.";
const char* const kNotImported = "ImportShipInterior: ERROR: ship interior couldn't be imported.";

Lines SplitLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

std::string JoinLines(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

class InteriorImportFaults : public testing::Test {
protected:
    // The starter ship, exported as a player exports it.
    void SetUp() override {
        corvanis_test::LoadWorldFile(CORVANIS_EXAMPLE_WORLDS "/starter.json");
        ASSERT_TRUE(Corvanis::RunExportShip({"Pathfinder", Corvanis::kDefaultSettings}, folder.PluginPath(),
                                            platform::SystemFiles()));
        blueprint = folder.ReadFile("Pathfinder.txt");
        console.Take();
    }

    // The second playthrough, the player aboard the home ship.
    void BoardSecondPlaythrough() {
        corvanis_test::LoadWorldFile(CORVANIS_EXAMPLE_WORLDS "/second-playthrough.json");
        sim::RunConsoleLine("sim.board @Kestrel");
        console.Take();
    }

    bool Import(const std::string& name, platform::FileSystem& files = platform::SystemFiles()) {
        return Corvanis::RunImportShipInterior({name, Corvanis::kDefaultSettings}, folder.PluginPath(), files);
    }

    dev_support::ScratchFolder folder;
    corvanis_test::ConsoleLines console;
    std::string blueprint;
};

// The game runs out of memory at its 1st, 2nd, ... allocation during an
// import: each import either goes through, or is refused with every item it
// placed taken back and nothing else changed.
TEST_F(InteriorImportFaults, TheGameRunningOutOfMemoryAtAnyAllocation_ImportsOrTakesBackWhatItPlaced) {
    folder.WriteFile("Items.txt", blueprint);
    int refused = 0;
    for (std::uint64_t allocation = 1; allocation <= 12; ++allocation) {
        SCOPED_TRACE(allocation);
        BoardSecondPlaythrough();
        std::filesystem::remove_all(folder.Native("Backups"));
        const sim::Json before = sim::Json::parse(sim::DumpWorldToText());
        sim::FailGameAllocation(allocation);
        const bool imported = Import("Items");
        sim::FailGameAllocation(0);
        const Lines lines = console.Take();
        if (imported) continue;
        ++refused;
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], kNotImported);
        EXPECT_TRUE(lines[1].starts_with("[Error in phase: importing DecorItems | Extra error text: CreatedRefs.size "
                                         "== 0 of base ["))
            << lines[1];
        EXPECT_TRUE(lines[2].starts_with("ImportShipInterior: INFO: the game would not place the item")) << lines[2];
        int takenBack = 0;
        EXPECT_EQ(dev_support::WithoutReferencesTakenBack(sim::Json::parse(sim::DumpWorldToText()), before,
                                                          takenBack),
                  dev_support::WithoutNextRuntimeFormID(before));
        EXPECT_FALSE(std::filesystem::exists(folder.Native("Backups")));
    }
    EXPECT_GT(refused, 3);
}

TEST_F(InteriorImportFaults, AReadOnlyBlueprint_IsRefusedAsTheFileThatCannotBeOpenedForUpdate_AndNothingChanges) {
    BoardSecondPlaythrough();
    const std::string before = sim::DumpWorldToText();
    FailingFileSystem files;
    files.FailEvery(FileOperation::OpenForUpdate);
    EXPECT_FALSE(Import("Pathfinder", files));
    EXPECT_EQ(console.Take(), (Lines{kNotImported,
                                     "[Error in phase: preparing to import ship interior | Extra error text: Bleuprint "
                                     "read error: !inputstream.is_open()]",
                                     "ImportShipInterior: INFO: the blueprint file cannot be opened for changing, "
                                     "which the import asks for: make it writable (not read-only) and close "
                                     "programs that hold it"}));
    EXPECT_TRUE(sim::DumpWorldToText() == before);
}

// Ways a hand edit can change one line.
std::vector<std::string> EditsOf(const std::string& line) {
    std::vector<std::string> edits = {"", line.substr(0, line.size() / 2), line + "x",
                                      line.substr(0, line.find('|') + 1)};
    if (const std::size_t close = line.find(']'); close != std::string::npos) {
        edits.push_back(line.substr(0, close) + "1" + line.substr(close));
    }
    return edits;
}

TEST_F(InteriorImportFaults, EveryHandEditOfADecorationLine_ImportsAndUndoes_OrLeavesTheDumpByteIdentical) {
    const Lines lines = SplitLines(blueprint);
    int imported = 0;
    int refused = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with("DecorItem[")) continue;
        std::vector<Lines> variants;
        for (const std::string& edit : EditsOf(lines[i])) {
            Lines edited = lines;
            edited[i] = edit;
            variants.push_back(edited);
        }
        Lines repeated = lines;
        repeated.insert(repeated.begin() + static_cast<std::ptrdiff_t>(i), lines[i]);
        variants.push_back(repeated);
        if (i + 1 < lines.size()) {
            Lines swapped = lines;
            std::swap(swapped[i], swapped[i + 1]);
            variants.push_back(swapped);
        }
        for (const Lines& variant : variants) {
            folder.WriteFile("Edited.txt", JoinLines(variant));
            std::filesystem::remove_all(folder.Native("Backups"));
            BoardSecondPlaythrough();
            const std::string before = sim::DumpWorldToText();
            if (Import("Edited")) {
                ++imported;
                Lines report = console.Take();
                // A hand edit read otherwise than it says is warned of first.
                std::erase_if(report, [](const std::string& line) {
                    return line.starts_with("ImportShipInterior: WARNING: ");
                });
                EXPECT_EQ(report.at(0), kImported);
                EXPECT_EQ(report.at(1), "ImportShipInterior: INFO: the previous interior was saved; to undo, run: "
                                        "ImportShipInterior \"Backups\\Kestrel interior 1\"");
                // The undo gives back the interior as it was.
                EXPECT_TRUE(Import("Backups\\Kestrel interior 1")) << console.Take().at(1);
                EXPECT_EQ(dev_support::CellItems(sim::Json::parse(sim::DumpWorldToText()), "@KestrelInterior"),
                          dev_support::CellItems(sim::Json::parse(before), "@KestrelInterior"))
                    << "line " << i;
            } else {
                ++refused;
                const Lines report = console.Take();
                EXPECT_EQ(report.at(0), kNotImported) << "line " << i;
                EXPECT_TRUE(report.at(1).starts_with("[Error in phase: importing DecorItem|")) << report.at(1);
                EXPECT_TRUE(sim::DumpWorldToText() == before) << "line " << i << ": " << report.at(1);
                EXPECT_FALSE(std::filesystem::exists(folder.Native("Backups"))) << "line " << i;
            }
        }
    }
    EXPECT_GT(imported, 100);
    EXPECT_GT(refused, 100);
}

}  // namespace
