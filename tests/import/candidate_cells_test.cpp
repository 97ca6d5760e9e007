// The cells an interior import searches for its workshop, gathered from the
// player and the game's cell manager, and the checks each entry of the cell
// manager's table passes before anything reads through it.
#include <gtest/gtest.h>

#include <vector>

#include "host/layouts/LoadedCells.h"
#include "host/loaded_cells.h"
#include "import/CandidateCells.h"
#include "platform/platform.h"
#include "sim/GameState.h"
#include "tests/support/InProcessGame.h"

namespace {

using host::LoadedCellFault;

const char* const kCells = R"(
    {"id": "@Deck", "interior": true, "references": ["@Player"]},
    {"id": "@Yard", "interior": false, "references": ["@Ship"]},
    {"id": "@ShipInside", "interior": true},
    {"id": "@Associated", "interior": true},
    {"id": "@Unloaded", "interior": true, "loaded": false},
    {"id": "@Current", "interior": true},
    {"id": "@Listed", "interior": true},
    {"id": "@Low", "interior": true, "memory": "low"},
    {"id": "@InModule", "interior": true, "memory": "module"},
    {"id": "@LowIdentity", "interior": true, "classIdentity": "low"},
    {"id": "@OtherIdentity", "interior": true, "classIdentity": "other"},
    {"id": "@Second", "interior": true, "classIdentity": "cell2"},
    {"id": "@Third", "interior": true, "classIdentity": "cell3"})";

std::string World(const std::string& player, const std::string& cellManager, const std::string& moreCells = "") {
    return R"({"format": "veltrane-world 1", "files": [{"name": "Veltrane.vmf"}],
      "player": )" +
           player + R"(,
      "game": {"cellManager": )" +
           cellManager + R"(},
      "forms": [{"id": "@PlayerBase", "type": 50}, {"id": "@ShipBase", "type": 65}, {"id": "@Keyword", "type": 4}],
      "cells": [)" +
           kCells + moreCells + R"(],
      "references": [{"id": "@Player", "type": 75, "base": "@PlayerBase"},
                     {"id": "@Ship", "base": "@ShipBase", "interior": "@ShipInside"}]})";
}

std::vector<host::Form*> Named(std::initializer_list<const char*> names) {
    std::vector<host::Form*> forms;
    for (const char* name : names) forms.push_back(sim::TheWorld().LookupByWorldName(name));
    return forms;
}

TEST(CandidateCells, EachSource_AddsItsCells_SortedByWhereTheyLieAndEachOnce) {
    corvanis_test::LoadWorld(World(R"({"reference": "@Player", "shipReference": "@Ship",
        "associatedCells": ["@Associated", "@Unloaded", "@Keyword", "#00ABCDEF", "@Deck", "@Associated"]})",
                                   R"({"currentCell": "@Current", "loadedCells": ["@Listed", "@Deck", "@Listed"]})"));
    // Cells lie in memory in the order of the world file.
    EXPECT_EQ(Corvanis::GatherCandidateCells(), Named({"@Deck", "@ShipInside", "@Associated", "@Current", "@Listed"}));
    // Another actor brings its own cell; the ship and the associated cells
    // are the player's.
    EXPECT_EQ(Corvanis::GatherCandidateCells(Named({"@Ship"})[0]), Named({"@Deck", "@Yard", "@Current", "@Listed"}));
}

TEST(CandidateCells, WithoutAPlayerOrACellManager_ResultInTheCellsThereAre) {
    corvanis_test::LoadWorld(World("null", R"({"currentCell": "@Current", "loadedCells": ["@Listed"]})"));
    EXPECT_EQ(Corvanis::GatherCandidateCells(), Named({"@Current", "@Listed"}));
    corvanis_test::LoadWorld(World(R"({"reference": "@Player"})", "null"));
    EXPECT_EQ(Corvanis::GatherCandidateCells(), Named({"@Deck"}));
}

// The manager's table may itself be stale: then only its current cell counts.
TEST(CandidateCells, AManagerWhoseTableIsNotMapped_AddsOnlyItsCurrentCell) {
    corvanis_test::LoadWorld(World("null", R"({"currentCell": "@Current", "loadedCells": ["@Listed"], "table": "unmapped"})"));
    EXPECT_EQ(Corvanis::GatherCandidateCells(), Named({"@Current"}));
}

// The entries of the staged table, each with the fault the checks find
// first, in the order the checks meet them.
struct Entry {
    const char* staged;
    LoadedCellFault fault;
};

const Entry kEntries[] = {
    {R"("@Listed")", LoadedCellFault::None},
    {R"({"cell": "@Second"})", LoadedCellFault::None},
    {R"("@Third")", LoadedCellFault::None},
    {R"({"cell": "@Listed", "memory": "low"})", LoadedCellFault::EntryOutOfRange},
    {R"({"cell": "@Listed", "memory": "module"})", LoadedCellFault::EntryOutOfRange},
    {R"({"memory": "low", "cellMemory": "unmapped"})", LoadedCellFault::EntryOutOfRange},
    {R"({"memory": "unmapped"})", LoadedCellFault::EntryNotReadable},
    {R"({"cell": null})", LoadedCellFault::CellOutOfRange},
    {R"("@Low")", LoadedCellFault::CellOutOfRange},
    {R"("@InModule")", LoadedCellFault::CellOutOfRange},
    {R"({"cellMemory": "unmapped"})", LoadedCellFault::CellNotReadable},
    {R"("@LowIdentity")", LoadedCellFault::ClassIdentityLow},
    {R"("@OtherIdentity")", LoadedCellFault::ClassIdentityNotACell},
};

TEST(LoadedCells, EachKindOfStaleEntry_ResultsInItsFault_BeforeAnythingUnreadableIsRead) {
    std::string table;
    for (const Entry& entry : kEntries) table += (table.empty() ? "" : ", ") + std::string(entry.staged);
    corvanis_test::LoadWorld(World("null", R"({"loadedCells": [)" + table + "]}"));
    const veltrane::GameInterface& game = host::Game();
    const veltrane::CellManager* manager = *game.cellManager;
    ASSERT_NE(manager, nullptr);
    ASSERT_EQ(manager->loadedCells.count, std::size(kEntries));
    const host::CellBounds bounds{platform::MainModuleBase(), game.cellClassIdentities};
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        SCOPED_TRACE(kEntries[i].staged);
        const host::LoadedCellCheck check =
            host::CheckLoadedCellEntry(manager->loadedCells.data[i], bounds, platform::ReadableMemoryView());
        EXPECT_EQ(check.fault, kEntries[i].fault);
        EXPECT_EQ(check.cell != nullptr, kEntries[i].fault == LoadedCellFault::None);
    }
    EXPECT_EQ(Corvanis::GatherCandidateCells(), Named({"@Listed", "@Second", "@Third"}));
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(LoadedCells, ACellBetween10000000000And1TiB_IsNoCellOfTheTable) {
    corvanis_test::LoadWorld(
        World("null", R"({"loadedCells": ["@Far"]})", R"(, {"id": "@Far", "interior": true, "memory": "belowTiB"})"));
    const veltrane::GameInterface& game = host::Game();
    const host::CellBounds bounds{platform::MainModuleBase(), game.cellClassIdentities};
    EXPECT_EQ(
        host::CheckLoadedCellEntry((*game.cellManager)->loadedCells.data[0], bounds, platform::ReadableMemoryView())
            .fault,
        LoadedCellFault::CellBelowTiB);
}
#endif

TEST(LoadedCells, AddressesBetween10000000000AndTheGameModule_AreWhereTheGameKeepsObjects) {
    const std::uintptr_t module = 0x7FF64E000000;
    EXPECT_FALSE(host::IsObjectAddress(0, module));
    EXPECT_FALSE(host::IsObjectAddress(10'000'000'000, module));
    EXPECT_TRUE(host::IsObjectAddress(10'000'000'001, module));
    EXPECT_TRUE(host::IsObjectAddress(module - 1, module));
    EXPECT_FALSE(host::IsObjectAddress(module, module));
}

}  // namespace
