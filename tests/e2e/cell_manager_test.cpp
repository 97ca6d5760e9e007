// The game's cell manager in the real game, with Corvanis installed: a world
// file stages its table, the console shows where each entry lies, a dump is a
// save game of it, and a bad staging ends the boot.
#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

const char* kStagedWorld = R"({
  "format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf"}],
  "player": {"reference": "@Player"},
  "game": {"cellManager": {"currentCell": "@Deck", "loadedCells": [
    "@Deck", {"cell": "@Outpost", "memory": "low"}, {"memory": "unmapped"}, {"cell": "@Outpost"}]}},
  "forms": [{"id": "@PlayerBase", "type": 50}],
  "cells": [
    {"id": "@Deck", "interior": true, "references": ["@Player"]},
    {"id": "@Outpost", "interior": false, "classIdentity": "cell2"}
  ],
  "references": [{"id": "@Player", "type": 75, "base": "@PlayerBase"}]
})";

std::uint64_t AddressIn(const std::string& line, std::size_t which) {
    static const std::regex address("0x([0-9a-f]+)");
    auto match = std::sregex_iterator(line.begin(), line.end(), address);
    std::advance(match, static_cast<std::ptrdiff_t>(which));
    return std::stoull((*match)[1].str(), nullptr, 16);
}

TEST(CellManager, AStagedTable_IsShownWhereItLies_AndADumpOfItIsTheSameGameAgain) {
    GameFolder folder;
    folder.InstallCorvanis();
    folder.WriteFile("staged.json", kStagedWorld);

    const ProcessResult first =
        folder.Run({"--world", "staged.json", "--run", "sim.cellmanager", "--dump", "saved.json"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const Lines lines = LinesStartingWith(first.OutLines(), "[");
    ASSERT_EQ(lines.size(), 4u) << first.out;
    std::vector<std::string> masked;
    for (const std::string& line : lines) masked.push_back(std::regex_replace(line, std::regex("0x[0-9a-f]+"), "@"));
    EXPECT_EQ(masked, (Lines{
                          "[0] @ -> @ FF000801 @Deck (cell1): good",
                          "[1] @ -> @ FF000802 @Outpost (cell2): entry below 10,000,000,000",
                          "[2] @: entry not mapped",
                          "[3] @ -> @ FF000802 @Outpost (cell2): good",
                      }));
    constexpr std::uint64_t kOneTiB = 0x10000000000;
    constexpr std::uint64_t kTenBillion = 10'000'000'000;
    EXPECT_GT(AddressIn(lines[0], 0), kOneTiB);
    EXPECT_GT(AddressIn(lines[0], 1), kOneTiB);
    EXPECT_LT(AddressIn(lines[1], 0), kTenBillion);
    EXPECT_GT(AddressIn(lines[2], 0), kOneTiB);
    EXPECT_EQ(AddressIn(lines[3], 1), AddressIn(lines[1], 1));
    EXPECT_GT(AddressIn(lines[3], 1), AddressIn(lines[0], 1)) << "cells lie in the order of the world file";

    const ProcessResult second = folder.Run({"--world", "saved.json", "--dump", "again.json"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(ReadBytes(folder.Root() / "again.json"), ReadBytes(folder.Root() / "saved.json"));
}

TEST(CellManager, AnEntryThatNamesAReference_EndsTheBootWithTheEntryAndExitCode2) {
    GameFolder folder;
    std::string world = kStagedWorld;
    world.replace(world.find(R"({"cell": "@Outpost"})"), 20, R"({"cell": "@Player"})");
    folder.WriteFile("bad.json", world);

    const ProcessResult result = folder.Run({"--world", "bad.json", "--run", "sim.cellmanager"});

    // The file is named by the path veltrane was given, made absolute.
    const Lines errors = result.ErrLines();
    ASSERT_EQ(errors.size(), 1u) << result.err;
    EXPECT_TRUE(errors[0].starts_with("veltrane: ")) << errors[0];
    EXPECT_TRUE(errors[0].ends_with("bad.json: game.cellManager.loadedCells[3].cell: must name a cell")) << errors[0];
    EXPECT_TRUE(LinesStartingWith(result.OutLines(), "[").empty()) << result.out;
    EXPECT_EQ(result.exitCode, 2);
}

}  // namespace
}  // namespace e2e
