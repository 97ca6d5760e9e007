// Commands a player repeats for as long as a playthrough lasts: the
// twentieth leaves the game's memory as the first left it. What the first
// leaves is the world's by design (an import gives the ship lists of the
// blueprint's lengths); anything more would be taken from the game for good
// by every run. Memory handed back wrongly (never given out, given back
// already, still in use) ends the game.
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
        EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"}),
                  Exported("ExportShip Pathfinder", "Pathfinder.txt"));
    }

    GameFolder folder;
};

// Each export writes a blueprint of its own.
TEST_F(RepeatedCommands, AnExport_LeavesTheGamesMemoryAsItFoundIt) {
    const MemoryAfter memory = RepeatCommand(
        folder, ReadWorld("starter.json"), {}, [](int run) { return "ExportShip Pathfinder" + std::to_string(run); },
        "ExportShipRef: INFO: ship exported.");
    EXPECT_EQ(memory.before, "Game memory: 24 blocks of 1616 bytes, 23 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.first, memory.before);
    EXPECT_EQ(memory.last, memory.first);
    EXPECT_EQ(FolderEntries(folder.Spaceships()).size(), static_cast<std::size_t>(kRepeats));
}

// The home ship's base form was made by the game from another, whose groups
// of traversals it shares: an import replaces the home ship's groups, and the
// other form goes on using the lists. So the replaced groups' lists are
// emptied with their groups, never given back: each import leaves the game
// the lists of the groups it replaces: here the blueprint's one group with
// traversals, whose list of two takes 144 bytes.
TEST_F(RepeatedCommands, ALayoutImport_LeavesSharedListsOfTraversalsToTheFormThatSharesThem_AndTheGameOneListPerImport) {
    ExportPathfinder();
    std::string world = Replaced(
        ReadWorld("second-playthrough.json"),
        R"({"id": "Veltrane.vmf:0A2000", "type": 65, "editorID": "ShipModuleCockpit", "name": "Cockpit"})",
        R"({"id": "Veltrane.vmf:0A2000", "type": 65, "editorID": "ShipModuleCockpit", "name": "Cockpit",
            "components": {"QRNStoredTraversals_Component": {"traversals2": [
              {"traversals": [{"traversal": "TraversalLadder"}, {"traversal": "TraversalLadder"},
                              {"traversal": "TraversalJumpDown"}]},
              {"traversals": [{"traversal": "TraversalLadder"}]}]}}})");
    world = Replaced(world, R"("traversals2": [])",
                     R"("traversals2": [{"traversalsOf": {"form": "ShipModuleCockpit", "group": 0}},
                                       {"traversalsOf": {"form": "ShipModuleCockpit", "group": 1}},
                                       {"traversals": []}])");
    const MemoryAfter memory = RepeatCommand(folder, world, {"sim.components ShipModuleCockpit"},
                                             Same("ImportShipLayout Pathfinder"), "ImportShipLayout: INFO: ship layout");
    // The first import leaves the shared lists to the cockpit.
    EXPECT_EQ(memory.before, "Game memory: 26 blocks of 1376 bytes, 22 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.first, "Game memory: 27 blocks of 2032 bytes, 22 fixed strings, 0 references held by handle");
    EXPECT_EQ(memory.last, "Game memory: " + std::to_string(27 + (kRepeats - 1)) + " blocks of " +
                               std::to_string(2032 + (kRepeats - 1) * 144) +
                               " bytes, 22 fixed strings, 0 references held by handle");
    const Lines cockpit = RunWorld(folder, world, {"sim.components ShipModuleCockpit"});
    const Lines after = RunWorld(folder, world, {"ImportShipLayout Pathfinder", "sim.components ShipModuleCockpit"});
    EXPECT_EQ(Lines(after.end() - static_cast<std::ptrdiff_t>(cockpit.size()), after.end()), cockpit);
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
