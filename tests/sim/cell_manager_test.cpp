// The game's cell manager as world files stage it: every kind of entry lies
// where its kind says, relative to 1 TiB and to the game module, as the
// plug-in's own view of memory (platform/) sees it; dumps keep the staging.
#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/LoadedCells.h"
#include "platform/platform.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"

namespace {

using veltrane::Form;

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

constexpr std::uintptr_t kTenBillion = 10'000'000'000;
constexpr std::uintptr_t kOneTiB = 0x100'0000'0000;

// Where an address lies, as the bounds the plug-in checks cut the address
// space.
enum class Range { Null, Low, BelowTiB, AboveTiB, Module };

Range RangeOf(const void* pointer) {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    if (address == 0) return Range::Null;
    if (address <= kTenBillion) return Range::Low;
    if (address <= kOneTiB) return Range::BelowTiB;
    return address < platform::MainModuleBase() ? Range::AboveTiB : Range::Module;
}

bool Readable(const void* pointer, std::size_t size) { return platform::IsReadableMemory(pointer, size); }

std::string World(const std::string& cellManager, const std::string& cells) {
    return R"({"format": "veltrane-world 1", "files": [{"name": "Veltrane.vmf"}], "player": null,
               "game": {"cellManager": )" +
           cellManager + R"(}, "cells": [)" + cells + "]}";
}

const std::string kStagedCells = R"(
    {"id": "@Deck", "interior": true},
    {"id": "@Bay", "interior": true},
    {"id": "@Low", "interior": true, "memory": "low"},
    {"id": "@InModule", "interior": true, "memory": "module"},
    {"id": "@LowIdentity", "interior": true, "classIdentity": "low"},
    {"id": "@OtherIdentity", "interior": true, "classIdentity": "other"},
    {"id": "@Second", "interior": false, "classIdentity": "cell2"},
    {"id": "@Third", "interior": false, "classIdentity": "cell3"})";

const std::string kStagedManager = R"({"currentCell": "@Deck", "loadedCells": [
    "@Deck", {"cell": "@Bay", "memory": "low"}, {"cell": "@Bay", "memory": "module"}, {"memory": "unmapped"},
    {"cellMemory": "unmapped", "memory": "aboveTiB"}, {"cell": null}, "@Low", "@InModule", "@LowIdentity",
    "@OtherIdentity", {"cell": "@Second"}, "@Third"]})";

Form* Cell(std::uint32_t index) { return Game().LookupFormByID(0xFF000800 + index); }

enum class Identity { Cell1, Cell2, Cell3, Low, Other };

struct StagedEntry {
    Range entry;
    Range cell;             // where the entry's cell pointer leads
    bool cellReadable;
    std::uint32_t cellIndex;  // of the cell named, in the order of "cells"
    Identity identity;
};

// What the table of the staged world must hold, entry by entry.
const StagedEntry kExpected[] = {
    {Range::AboveTiB, Range::AboveTiB, true, 0, Identity::Cell1},
    {Range::Low, Range::AboveTiB, true, 1, Identity::Cell1},
    {Range::Module, Range::AboveTiB, true, 1, Identity::Cell1},
    {Range::AboveTiB, Range::Null, false, 0, Identity::Cell1},  // not readable itself
    {Range::AboveTiB, Range::AboveTiB, false, 0, Identity::Cell1},
    {Range::AboveTiB, Range::Null, false, 0, Identity::Cell1},
    {Range::AboveTiB, Range::Low, true, 2, Identity::Cell1},
    {Range::AboveTiB, Range::Module, true, 3, Identity::Cell1},
    {Range::AboveTiB, Range::AboveTiB, true, 4, Identity::Low},
    {Range::AboveTiB, Range::AboveTiB, true, 5, Identity::Other},
    {Range::AboveTiB, Range::AboveTiB, true, 6, Identity::Cell2},
    {Range::AboveTiB, Range::AboveTiB, true, 7, Identity::Cell3},
};
constexpr std::size_t kUnmappedEntry = 3;

void ExpectIdentity(const void* identity, Identity expected, std::size_t entry) {
    const auto value = reinterpret_cast<std::uintptr_t>(identity);
    switch (expected) {
        case Identity::Cell1:
        case Identity::Cell2:
        case Identity::Cell3:
            EXPECT_EQ(identity, Game().cellClassIdentities[static_cast<std::size_t>(expected)]) << entry;
            break;
        case Identity::Low: EXPECT_LT(value, platform::MainModuleBase()) << entry; break;
        case Identity::Other:
            EXPECT_EQ(RangeOf(identity), Range::Module) << entry;
            for (const void* cellIdentity : Game().cellClassIdentities) EXPECT_NE(identity, cellIdentity) << entry;
            break;
    }
}

void ExpectTheStagedTable() {
    veltrane::CellManager* service = *Game().cellManager;
    ASSERT_NE(service, nullptr);
    ASSERT_TRUE(Readable(service, sizeof *service));
    EXPECT_EQ(RangeOf(service), Range::AboveTiB);
    EXPECT_EQ(RangeOf(service->head.classIdentity), Range::Module);
    EXPECT_EQ(service->currentCell, Cell(0));
    ASSERT_EQ(service->loadedCells.count, std::size(kExpected));
    ASSERT_TRUE(Readable(service->loadedCells.data, service->loadedCells.count * sizeof(void*)));

    for (std::size_t i = 0; i < std::size(kExpected); ++i) {
        const StagedEntry& expected = kExpected[i];
        const veltrane::LoadedCellEntry* entry = service->loadedCells.data[i];
        EXPECT_EQ(RangeOf(entry), expected.entry) << i;
        ASSERT_EQ(Readable(entry, sizeof *entry), i != kUnmappedEntry) << i;
        if (i == kUnmappedEntry) continue;
        const Form* cell = entry->cell;
        if (expected.cell == Range::Null) {
            EXPECT_EQ(cell, nullptr) << i;
            continue;
        }
        EXPECT_EQ(RangeOf(cell), expected.cell) << i;
        ASSERT_EQ(Readable(cell, sizeof(veltrane::ObjectHead)), expected.cellReadable) << i;
        if (!expected.cellReadable) continue;
        EXPECT_EQ(cell, Cell(expected.cellIndex)) << i;
        ExpectIdentity(reinterpret_cast<const veltrane::ObjectHead*>(cell)->classIdentity, expected.identity, i);
    }
}

TEST(CellManager, EveryKindOfEntry_LiesWhereItsKindSays_AndADumpStagesItAgain) {
    const void* const* identities = Game().cellClassIdentities;
    for (std::size_t i = 0; i < veltrane::kCellClassCount; ++i) {
        EXPECT_EQ(RangeOf(identities[i]), Range::Module) << i;
        EXPECT_TRUE(Readable(identities[i], 1)) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(identities[i], identities[j]);
    }

    simtest::LoadWorldText(World(kStagedManager, kStagedCells));
    ExpectTheStagedTable();
    const veltrane::CellManager* first = *Game().cellManager;

    const std::string dump = sim::DumpWorldToText();
    EXPECT_NE(dump.find(R"("cellManager": {
      "currentCell": "@Deck",
      "loadedCells": [
        "@Deck",
        {"cell": "@Bay", "memory": "low"},
        {"cell": "@Bay", "memory": "module"},
        {"memory": "unmapped"},
        {"cellMemory": "unmapped"},
        {"cell": null},
        "@Low",
        "@InModule",
        "@LowIdentity",
        "@OtherIdentity",
        "@Second",
        "@Third"
      ]
    })"),
              std::string::npos)
        << dump;
    simtest::LoadWorldText(dump);
    EXPECT_EQ(sim::DumpWorldToText(), dump);
    ExpectTheStagedTable();
    EXPECT_FALSE(Readable(first, sizeof *first)) << "a world gives its memory back when it goes";
}

TEST(CellManager, Cells_LieInTheOrderOfTheWorldFile_WhateverTheirNamesAndIDs) {
    simtest::LoadWorldText(World(R"({"loadedCells": ["@C", "@A"]})", R"(
        {"id": "@C", "formID": "FF000900", "interior": true},
        {"id": "@A", "formID": "FF000850", "interior": true},
        {"id": "@B", "formID": "FF000800", "interior": false})"));
    const Form* c = Game().LookupFormByID(0xFF000900);
    const Form* a = Game().LookupFormByID(0xFF000850);
    const Form* b = Game().LookupFormByID(0xFF000800);
    EXPECT_LT(c, a);
    EXPECT_LT(a, b);
    for (const Form* cell : {a, b, c}) EXPECT_EQ(RangeOf(cell), Range::AboveTiB);
    EXPECT_EQ((*Game().cellManager)->currentCell, nullptr);
}

TEST(CellManager, AWorldWithoutOne_LeavesTheGlobalNull_AndAnEmptyOneHasNoTable) {
    simtest::ConsoleCapture console;
    for (const char* absent : {"null", ""}) {
        const std::string game = *absent ? std::string(R"("game": {"cellManager": null},)") : "";
        simtest::LoadWorldText(R"({"format": "veltrane-world 1", "files": [], "player": null, )" + game +
                               R"("cells": [{"id": "@Deck", "interior": true}]})");
        EXPECT_EQ(*Game().cellManager, nullptr);
        EXPECT_NE(sim::DumpWorldToText().find(R"("cellManager": null)"), std::string::npos);
        EXPECT_EQ(console.Run("sim.cellmanager"), std::vector<std::string>{"The game has no cell manager."});
    }

    simtest::LoadWorldText(World("{}", R"({"id": "@Deck", "interior": true})"));
    const veltrane::CellManager* service = *Game().cellManager;
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->currentCell, nullptr);
    EXPECT_EQ(service->loadedCells.count, 0u);
    EXPECT_EQ(service->loadedCells.data, nullptr);
    const std::string dump = sim::DumpWorldToText();
    EXPECT_NE(dump.find(R"("cellManager": {
      "currentCell": null,
      "loadedCells": []
    })"),
              std::string::npos)
        << dump;
}

TEST(CellManager, MoreThanFiftyEntries_AreAllInTheTable_AndTheConsoleMarksThoseAfterTheFiftieth) {
    std::string entries;
    for (int i = 0; i < 60; ++i) entries += std::string(i == 0 ? "" : ", ") + (i % 2 == 0 ? "\"@Deck\"" : "\"@Bay\"");
    simtest::LoadWorldText(World(R"({"loadedCells": [)" + entries + "]}",
                                 R"({"id": "@Deck", "interior": true}, {"id": "@Bay", "interior": true})"));
    const veltrane::CellManager* service = *Game().cellManager;
    ASSERT_EQ(service->loadedCells.count, 60u);
    EXPECT_EQ(service->loadedCells.data[59]->cell, Cell(1));
    EXPECT_NE(service->loadedCells.data[58], service->loadedCells.data[56]) << "each entry has its own record";

    simtest::ConsoleCapture console;
    const std::vector<std::string> lines = console.Run("sim.cellmanager");
    ASSERT_EQ(lines.size(), 61u);
    EXPECT_TRUE(lines[50].ends_with("(cell1): good")) << lines[50];
    EXPECT_TRUE(lines[51].ends_with("(cell1): good, past the first 50")) << lines[51];
}

TEST(CellManager, TheConsole_ShowsEachEntryWithItsAddressesAndWhatItWasStagedAs) {
    simtest::LoadWorldText(World(kStagedManager, kStagedCells));
    simtest::ConsoleCapture console;
    std::vector<std::string> lines;
    for (const std::string& line : console.Run("sim.cellmanager")) {
        lines.push_back(std::regex_replace(line, std::regex("0x[0-9a-f]+"), "ADDRESS"));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Cell manager at ADDRESS: current cell FF000800 @Deck, 12 loaded-cell entries",
                         "[0] ADDRESS -> ADDRESS FF000800 @Deck (cell1): good",
                         "[1] ADDRESS -> ADDRESS FF000801 @Bay (cell1): entry below 10,000,000,000",
                         "[2] ADDRESS -> ADDRESS FF000801 @Bay (cell1): entry inside the game module",
                         "[3] ADDRESS: entry not mapped",
                         "[4] ADDRESS -> ADDRESS: cell not mapped",
                         "[5] ADDRESS -> none: no cell",
                         "[6] ADDRESS -> ADDRESS FF000802 @Low (cell1): cell below 10,000,000,000",
                         "[7] ADDRESS -> ADDRESS FF000803 @InModule (cell1): cell inside the game module",
                         "[8] ADDRESS -> ADDRESS FF000804 @LowIdentity (low): class identity below the game module",
                         "[9] ADDRESS -> ADDRESS FF000805 @OtherIdentity (other): class identity not a cell's",
                         "[10] ADDRESS -> ADDRESS FF000806 @Second (cell2): good",
                         "[11] ADDRESS -> ADDRESS FF000807 @Third (cell3): good",
                     }));
    const std::vector<std::string> form = console.Run("sim.form @Low");
    ASSERT_EQ(form.size(), 1u);
    EXPECT_TRUE(std::regex_match(form[0], std::regex(R"(FF000802 @Low: type 73 CELL, name "", files none, keywords none, )"
                                                     R"(interior, 0 reference slots, object at 0x4[0-9a-f]{7} \(low\), )"
                                                     R"(class identity cell1)")))
        << form[0];
}

TEST(CellManager, ACellAndAnEntryBelowOneTiB_LieThere_WhereTheBuildCanHaveSuchMemory) {
    const std::string world = World(R"({"loadedCells": [{"cell": "@Far", "memory": "belowTiB"}]})",
                                    R"({"id": "@Far", "interior": true, "memory": "belowTiB"})");
#if defined(__SANITIZE_ADDRESS__)
    // Each world that lives at the same time has its own addresses.
    EXPECT_TRUE(simtest::WorldTextError(world).starts_with(
        "test.json: cells[0] (@Far).memory: the game cannot have its memory between 10,000,000,000 and 1 TiB at "
        "0x80"));
    EXPECT_TRUE(simtest::WorldTextError(world).ends_with(
        ": the address is taken in this process (the address sanitizer keeps 0x7fff8000 to 0x10007fff7fff for "
        "itself)"));
#else
    simtest::LoadWorldText(world);
    const veltrane::LoadedCellEntry* entry = (*Game().cellManager)->loadedCells.data[0];
    EXPECT_EQ(RangeOf(entry), Range::BelowTiB);
    ASSERT_TRUE(Readable(entry, sizeof *entry));
    EXPECT_EQ(entry->cell, Cell(0));
    EXPECT_EQ(RangeOf(entry->cell), Range::BelowTiB);
    ASSERT_TRUE(Readable(entry->cell, sizeof(veltrane::ObjectHead)));
    EXPECT_EQ(reinterpret_cast<const veltrane::ObjectHead*>(entry->cell)->classIdentity, Game().cellClassIdentities[0]);
#endif
}

TEST(CellManager, BadStagings_AreRefusedWithTheEntryAndTheProblem) {
    const std::string cells = R"({"id": "@Bay", "interior": true})";
    struct Case {
        std::string manager;
        std::string error;
    };
    const Case cases[] = {
        {R"({"currentCell": "#FF000999"})", "test.json: game.cellManager.currentCell: unknown form \"#FF000999\""},
        {R"({"loadedCells": ["@Bay", "Veltrane.vmf:000001"]})",
         "test.json: game.cellManager.loadedCells[1]: unknown form \"Veltrane.vmf:000001\""},
        {R"({"loadedCells": [{}]})", "test.json: game.cellManager.loadedCells[0]: the field \"cell\" is missing"},
        {R"({"loadedCells": [{"cell": "@Bay", "memory": "heap"}]})",
         "test.json: game.cellManager.loadedCells[0].memory: must be \"aboveTiB\", \"belowTiB\", \"low\", \"module\" "
         "or \"unmapped\""},
        {R"({"loadedCells": [{"memory": "unmapped", "cell": "@Bay"}]})",
         "test.json: game.cellManager.loadedCells[0].memory: an entry in memory that is not mapped holds nothing"},
        {R"({"loadedCells": [{"cellMemory": "unmapped", "cell": "@Bay"}]})",
         "test.json: game.cellManager.loadedCells[0].cellMemory: give \"cell\" or \"cellMemory\", not both"},
        {R"({"loadedCells": [{"cellMemory": "low"}]})",
         "test.json: game.cellManager.loadedCells[0].cellMemory: must be \"unmapped\""},
        {R"({"loadedCells": [{"cell": "@Bay", "stale": true}]})",
         "test.json: game.cellManager.loadedCells[0]: unknown field \"stale\""},
        {R"({"current": "@Bay"})", "test.json: game.cellManager: unknown field \"current\""},
    };
    for (const Case& c : cases) EXPECT_EQ(simtest::WorldTextError(World(c.manager, cells)), c.error);

    const std::string reference = R"(, "forms": [{"id": "@Chair", "type": 47}],
        "references": [{"id": "@Seat", "base": "@Chair"}]})";
    const std::string withReference = World(R"({"loadedCells": ["@Seat"]})", cells);
    EXPECT_EQ(simtest::WorldTextError(withReference.substr(0, withReference.size() - 1) + reference),
              "test.json: game.cellManager.loadedCells[0]: must name a cell");
    EXPECT_EQ(simtest::WorldTextError(World("{}", R"({"id": "@Bay", "interior": true, "memory": "stack"})")),
              "test.json: cells[0] (@Bay).memory: must be \"aboveTiB\", \"belowTiB\", \"low\" or \"module\"");
    EXPECT_EQ(simtest::WorldTextError(World("{}", R"({"id": "@Bay", "interior": true, "classIdentity": "cell4"})")),
              "test.json: cells[0] (@Bay).classIdentity: must be \"cell1\", \"cell2\", \"cell3\", \"low\" or "
              "\"other\"");
}

}  // namespace
