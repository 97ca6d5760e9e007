// The game's counted arrays and fixed strings, as plug-ins use them through
// the game interface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/StringsAndArrays.h"
#include "sim/GameInterface.h"
#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "tests/support/GameErrors.h"

namespace {

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

struct Record {
    std::uint32_t value;
    std::uint32_t pad;
    double weight;
};

std::vector<std::uint32_t> CapacitiesWhileAppending(veltrane::CountedArray<Record>& array, int appends) {
    std::vector<std::uint32_t> capacities;
    for (int i = 0; i < appends; ++i) {
        const Record record{static_cast<std::uint32_t>(i), 0, i * 0.5};
        EXPECT_TRUE(Game().ArrayAppend(array.Header(), &record, sizeof record));
        capacities.push_back(array.capacity);
    }
    return capacities;
}

TEST(CountedArray, AppendingToAnEmptyArray_GrowsToTheLargerOfCountPlusOneAndTwiceTheCapacity) {
    veltrane::CountedArray<Record> array{};
    EXPECT_EQ(CapacitiesWhileAppending(array, 9), (std::vector<std::uint32_t>{1, 2, 4, 4, 8, 8, 8, 8, 16}));
    ASSERT_EQ(array.count, 9u);
    for (std::uint32_t i = 0; i < array.count; ++i) {
        EXPECT_EQ(array.data[i].value, i);
        EXPECT_EQ(array.data[i].weight, i * 0.5);
    }
    sim::GameArrayFree(array.Header());
}

TEST(CountedArray, AnArrayEmptiedByItsCount_ReusesItsStorageBeforeGrowing) {
    veltrane::CountedArray<Record> array{};
    sim::GameArrayReserveExact(array.Header(), 3, sizeof(Record));
    const Record* storage = array.data;
    EXPECT_EQ(CapacitiesWhileAppending(array, 3), (std::vector<std::uint32_t>{3, 3, 3}));
    EXPECT_EQ(array.data, storage);
    array.count = 0;
    EXPECT_EQ(CapacitiesWhileAppending(array, 4), (std::vector<std::uint32_t>{3, 3, 3, 6}));
    sim::GameArrayFree(array.Header());
}

TEST(CountedArray, AppendingAnElementOfTheArrayItself_CopiesItBeforeTheStorageMoves) {
    veltrane::CountedArray<Record> array{};
    const Record first{7, 0, 1.5};
    ASSERT_TRUE(Game().ArrayAppend(array.Header(), &first, sizeof first));
    ASSERT_TRUE(Game().ArrayAppend(array.Header(), &array.data[0], sizeof(Record)));
    ASSERT_TRUE(Game().ArrayAppend(array.Header(), &array.data[1], sizeof(Record)));
    ASSERT_EQ(array.count, 3u);
    for (const Record& record : array) EXPECT_EQ(record.value, 7u);
    sim::GameArrayFree(array.Header());
}

TEST(CountedArray, AnArrayWhoseCountExceedsItsCapacity_IsRefusedUnchanged) {
    Record storage[2]{};
    veltrane::CountedArray<Record> array{storage, 2, 3};
    const Record record{1, 0, 0};
    simtest::ConsoleCapture console;
    corvanis_test::ExpectedGameErrors expected;
    EXPECT_FALSE(Game().ArrayAppend(array.Header(), &record, sizeof record));
    EXPECT_EQ(console.lines, (std::vector<std::string>{"Game error: ArrayAppend was handed an inconsistent array"}));
    EXPECT_EQ(array.data, storage);
    EXPECT_EQ(array.count, 3u);
}

TEST(CountedArray, AnElementOfAnotherSizeThanTheArrays_IsRefusedUnchanged) {
    veltrane::CountedArray<Record> array{};
    sim::GameArrayReserveExact(array.Header(), 2, sizeof(Record));
    const std::uint64_t narrow = 7;
    corvanis_test::ExpectedGameErrors expected;
    EXPECT_FALSE(Game().ArrayAppend(array.Header(), &narrow, sizeof narrow));
    EXPECT_EQ(expected.texts,
              std::vector<std::string>{"ArrayAppend was handed an element of 8 bytes for an array of elements of 16 bytes"});
    EXPECT_EQ(array.count, 0u);
    sim::GameArrayFree(array.Header());
}

TEST(GameAllocation, TheChosenAllocation_FailsOnceAsWhenMemoryRunsOut_WithoutAGameError) {
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.fail-allocation 2"),
              (std::vector<std::string>{"The game's allocation 2 from now fails."}));
    void* first = Game().Allocate(16);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(Game().Allocate(16), nullptr);
    void* third = Game().Allocate(16);
    EXPECT_NE(third, nullptr);
    Game().Deallocate(first);
    Game().Deallocate(third);

    veltrane::CountedArray<Record> array{};
    const Record record{1, 0, 0};
    sim::FailGameAllocation(1);
    EXPECT_FALSE(Game().ArrayAppend(array.Header(), &record, sizeof record));
    EXPECT_EQ(array.data, nullptr);
    EXPECT_EQ(array.count, 0u);
    EXPECT_EQ(array.capacity, 0u);
    EXPECT_TRUE(Game().ArrayAppend(array.Header(), &record, sizeof record));
    sim::GameArrayFree(array.Header());
    EXPECT_EQ(console.lines.size(), 1u);
}

// Addresses are never handed out twice, and pages whose blocks all came back
// go back to the system: a late second free still meets the game's answer.
TEST(GameAllocation, ABlockFreedTwiceLongAfter_IsAGameError_AndNoOtherBlockHasItsAddress) {
    void* early = Game().Allocate(1024);
    Game().Deallocate(early);
    std::vector<void*> later;
    for (int i = 0; i < 3000; ++i) later.push_back(Game().Allocate(1024));
    EXPECT_EQ(std::find(later.begin(), later.end(), early), later.end());
    for (void* block : later) Game().Deallocate(block);
    corvanis_test::ExpectedGameErrors expected;
    Game().Deallocate(early);
    Game().Deallocate(later.back());
    EXPECT_EQ(expected.texts, std::vector<std::string>(2, "Deallocate was handed memory the game was given back already"));
}

TEST(FixedString, EqualTexts_ShareOneStorageUntilTheLastIsReleased) {
    const std::size_t before = sim::LiveFixedStringCount();
    veltrane::FixedString a{}, b{}, empty{};
    Game().FixedStringMake(&a, "Ships\\Hull.nif");
    Game().FixedStringMake(&b, "Ships\\Hull.nif");
    Game().FixedStringMake(&empty, "");
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(empty.data, nullptr);
    EXPECT_EQ(sim::LiveFixedStringCount(), before + 1);

    Game().FixedStringRelease(&a);
    EXPECT_EQ(a.data, nullptr);
    EXPECT_STREQ(b.data, "Ships\\Hull.nif");
    Game().FixedStringAssign(&b, "Ships\\Frame.nif");
    EXPECT_STREQ(b.data, "Ships\\Frame.nif");
    Game().FixedStringAssign(&b, b.data);
    EXPECT_STREQ(b.data, "Ships\\Frame.nif");
    Game().FixedStringRelease(&b);
    EXPECT_EQ(sim::LiveFixedStringCount(), before);
}

}  // namespace
