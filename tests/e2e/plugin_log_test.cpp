// The log a player attaches when they ask for help: the versions at start-up,
// then every command with the lines it printed, backups and warnings among
// them, each after the time. A log that cannot be written costs the player
// nothing, and a large one is moved aside at start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>

#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/harness/Text.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kStartLine = "Corvanis - ORBX Plugin by Pellimor v" CORVANIS_TITLE_VERSION
                               " started in game version 1.15.216.0";

fs::path LogFile(const GameFolder& folder) { return folder.Plugins() / "Corvanis.log"; }

// The log's lines without their times, each of which must be there.
Lines WithoutTimes(const Lines& log) {
    static const std::regex time(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )");
    Lines lines;
    for (const std::string& line : log) {
        EXPECT_TRUE(std::regex_search(line, time)) << line;
        lines.push_back(line.size() > 20 ? line.substr(20) : std::string());
    }
    return lines;
}

// What the log must hold after the console's lines: the console's lines of
// the plug-in's commands, each command led by the name it ran with.
Lines ExpectedLog(const Lines& console) {
    Lines expected{kStartLine};
    for (const std::string& line : console) {
        if (line.starts_with("> ExportShip ")) {
            expected.push_back("ExportShipRef: runs with \"" + line.substr(13) + "\"");
        } else if (line.starts_with("> Import")) {
            const std::size_t blank = line.find(' ', 2);
            expected.push_back(line.substr(2, blank - 2) + ": runs with \"" + line.substr(blank + 1) + "\"");
        } else if (line.starts_with("ExportShipRef: ") || line.starts_with("Import") ||
                   line.starts_with("[Error in phase: ")) {
            expected.push_back(line);
        }
    }
    return expected;
}

const std::vector<std::string> kThreeCommands = {"ImportShipLayout Pathfinder", "ImportShipLayout Pathfinder",
                                                 "sim.board @Kestrel",          "ImportShipInterior Pathfinder",
                                                 "ExportShip Rebuilt",          "ExportShip Rebuilt"};

void PrepareSecondPlaythrough(const GameFolder& folder) {
    folder.InstallCorvanis();
    GameFolder first;
    first.InstallCorvanis();
    RunWorldFile(first, StarterWorld(), {"sim.board @Pathfinder", "ExportShip Pathfinder"});
    fs::copy_file(first.Spaceships() / "Pathfinder.txt", folder.Spaceships() / "Pathfinder.txt");
}

TEST(PluginLog, HoldsTheVersionsAndEveryCommandWithItsLines_AndALogThatCannotBeWrittenCostsNothing) {
    GameFolder folder;
    PrepareSecondPlaythrough(folder);
    const Lines console = RunWorldFile(folder, SecondPlaythroughWorld(), kThreeCommands);
    EXPECT_EQ(WithoutTimes(ReadLines(LogFile(folder))), ExpectedLog(console));
    // The scenario's log holds backups, and a refusal.
    const Lines log = WithoutTimes(ReadLines(LogFile(folder)));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) { return line.find("Backups\\") != std::string::npos; }),
              3);
    EXPECT_EQ(LinesStartingWith(log, "ExportShipRef: ERROR: file already exists").size(), 1u);

    // A folder where the log would be: every command does what it did.
    GameFolder blocked;
    PrepareSecondPlaythrough(blocked);
    fs::create_directory(LogFile(blocked));
    EXPECT_EQ(RunWorldFile(blocked, SecondPlaythroughWorld(), kThreeCommands), console);
    EXPECT_TRUE(fs::is_empty(LogFile(blocked)));
}

TEST(PluginLog, PastOneMebibyte_IsMovedAsideAtStartUp_ReplacingTheOlderOne) {
    GameFolder folder;
    folder.InstallCorvanis();
    const std::string large(1024 * 1024 + 1, 'x');
    WriteBytes(LogFile(folder), large);
    WriteBytes(folder.Plugins() / "Corvanis.log.1", "older\n");
    RunWorldFile(folder, StarterWorld(), {});
    EXPECT_EQ(ReadBytes(folder.Plugins() / "Corvanis.log.1"), large);
    EXPECT_EQ(WithoutTimes(ReadLines(LogFile(folder))), Lines{kStartLine});

    // At the limit it stays, and the next start adds to it.
    const std::string atLimit(1024 * 1024 - 1, 'x');
    WriteBytes(LogFile(folder), atLimit + "\n");
    RunWorldFile(folder, StarterWorld(), {});
    EXPECT_EQ(ReadBytes(LogFile(folder)).substr(0, atLimit.size() + 1), atLimit + "\n");
    EXPECT_EQ(ReadBytes(folder.Plugins() / "Corvanis.log.1"), large);
}

}  // namespace
}  // namespace e2e
