// Commands a player repeats for as long as a playthrough lasts: the
// twentieth leaves the game's memory as the first left it. What the first
// leaves is the world's by design (an import gives the ship lists of the
// blueprint's lengths); anything more would be taken from the game for good
// by every run. The game reports memory it is handed back that it never gave
// out, or gave back already, on its console.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"

namespace e2e {
namespace {

constexpr int kRepeats = 20;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct MemoryAfter {
    std::string before;
    std::string first;
    std::string last;
};

// Runs the lines, then the command kRepeats times (`command` gives each run's
// line), and reads the game's
// memory before the command, after its first run and after its last. Every
// run must succeed; the game must report no fault.
MemoryAfter RepeatCommand(const GameFolder& folder, const std::string& world, const std::vector<std::string>& setup,
                          const std::function<std::string(int run)>& command, const std::string& success) {
    std::vector<std::string> console = setup;
    console.insert(console.end(), {"sim.memory", command(1), "sim.memory"});
    for (int run = 2; run <= kRepeats; ++run) console.push_back(command(run));
    console.push_back("sim.memory");
    const Lines shown = RunWorld(folder, world, console);
    const Lines memory = LinesStartingWith(shown, "Game memory: ");
    EXPECT_EQ(LinesStartingWith(shown, success).size(), static_cast<std::size_t>(kRepeats)) << shown.back();
    EXPECT_EQ(LinesStartingWith(shown, "Game error"), Lines{});
    for (const std::string& line : shown) EXPECT_EQ(line.find(": WARNING: "), std::string::npos) << line;
    if (memory.size() != 3) {
        ADD_FAILURE() << "sim.memory printed " << memory.size() << " lines";
        return {};
    }
    return {memory[0], memory[1], memory[2]};
}

std::function<std::string(int)> Same(const std::string& line) {
    return [line](int) { return line; };
}

std::string ReadWorld(const std::string& name) { return ReadBytes(ExamplesFolder() / "worlds" / name); }

class RepeatedCommands : public ::testing::Test {
protected:
    void SetUp() override { folder.InstallCorvanis(); }

    // The starter ship as the first playthrough exports it, in this game
    // folder's Spaceships folder.
    void ExportPathfinder() const {
        EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"}).back(),
                  "ExportShipRef: INFO: ship exported.");
    }

    GameFolder folder;
};

// Each export writes a blueprint of its own.
TEST_F(RepeatedCommands, AnExport_LeavesTheGamesMemoryAsItFoundIt) {
    const MemoryAfter memory = RepeatCommand(
        folder, ReadWorld("starter.json"), {}, [](int run) { return "ExportShip Pathfinder" + std::to_string(run); },
        "ExportShipRef: INFO: ship exported.");
    EXPECT_EQ(memory.before, "Game memory: 24 blocks, 9 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.first, memory.before);
    EXPECT_EQ(memory.last, memory.first);
    EXPECT_EQ(FolderEntries(folder.Spaceships()).size(), static_cast<std::size_t>(kRepeats));
}

// The home ship's groups of traversals each own a list; an import that
// replaces the groups gives those lists back to the game, once.
TEST_F(RepeatedCommands, ALayoutImport_ChangesTheGamesMemoryOnlyTheFirstTime_AndGivesBackEachGroupsListOnce) {
    ExportPathfinder();
    const std::string world =
        Replaced(ReadWorld("second-playthrough.json"), R"("traversals2": [])",
                 R"("traversals2": [{"traversals": [{"traversal": "TraversalLadder"}, {"traversal": "TraversalLadder"},
                                                   {"traversal": "TraversalJumpDown"}]},
                                   {"traversals": [{"traversal": "TraversalLadder"}]}, {"traversals": []}])");
    const MemoryAfter memory =
        RepeatCommand(folder, world, {}, Same("ImportShipLayout Pathfinder"), "ImportShipLayout: INFO: ship layout");
    // The world's two lists of traversals are given back, the blueprint's
    // one group with traversals gets its own.
    EXPECT_EQ(memory.before, "Game memory: 24 blocks, 8 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.first, "Game memory: 23 blocks, 8 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.last, memory.first);
    EXPECT_EQ(FolderEntries(folder.Spaceships() / "Backups").size(), static_cast<std::size_t>(kRepeats));
}

TEST_F(RepeatedCommands, AnInteriorImport_LeavesTheGamesMemoryAsTheFirstLeftIt) {
    ExportPathfinder();
    const MemoryAfter memory = RepeatCommand(folder, ReadWorld("second-playthrough.json"), {"sim.board @Kestrel"},
                                             Same("ImportShipInterior Pathfinder"),
                                             "ImportShipInterior: INFO: ship interior successfully imported.");
    EXPECT_EQ(memory.first, memory.before);
    EXPECT_EQ(memory.last, memory.first);
    EXPECT_EQ(FolderEntries(folder.Spaceships() / "Backups").size(), static_cast<std::size_t>(kRepeats));
}

}  // namespace
}  // namespace e2e
