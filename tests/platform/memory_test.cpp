// The memory services on the test program's own process.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "orbx_common/BranchTrampoline.h"
#include "orbx_common/NearAddress.h"
#include "platform/platform.h"

namespace {

using platform::RegionInfo;
using platform::RegionState;

constexpr std::uintptr_t kGranularity = 0x10000;

int FunctionInTheImage() { return 42; }

TEST(MainModule, Base_ResultsInTheStartOfTheTestProgramsImage) {
    const std::uintptr_t base = platform::MainModuleBase();
    ASSERT_NE(base, 0u);
#if defined(_WIN32)
    EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(base), "MZ", 2), 0);
#else
    EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(base), "\x7f" "ELF", 4), 0);
#endif
    EXPECT_LT(base, reinterpret_cast<std::uintptr_t>(&FunctionInTheImage));
}

TEST(MemoryRegions, QueriesOfCodeAndOfAGap_ResultInPageAlignedRegionsWithTheirStates) {
    platform::MemorySystem& memory = platform::SystemMemory();
    const auto code = reinterpret_cast<std::uintptr_t>(&FunctionInTheImage);
    RegionInfo region{};
    ASSERT_TRUE(memory.Query(code, region));
    EXPECT_EQ(region.state, RegionState::Committed);
    EXPECT_EQ(region.base, code & ~std::uintptr_t{0xFFF});
    EXPECT_GT(region.base + region.size, code);

    EXPECT_FALSE(memory.Query(0x7FFFFFFFFFFF, region));
    EXPECT_NE(memory.LastError(), 0u);
}

TEST(MemoryRegions, ReserveCommitAtAFreeAddress_ResultsInUsableMemoryOnTheGranularityBoundaryUntilReleased) {
    platform::MemorySystem& memory = platform::SystemMemory();
    // The trampoline search finds a free spot; it is given back at once.
    Corvanis::BranchTrampoline probe;
    ASSERT_TRUE(probe.Create(platform::MainModuleBase(), memory).created);
    const std::uintptr_t free = probe.Base();
    probe.Destroy();

    // The free spot may end one page above the boundary (where the image
    // begins), so the unaligned address stays within that first page.
    void* block = memory.ReserveCommit(free + 0x10, 256);
    ASSERT_EQ(block, reinterpret_cast<void*>(free & ~(kGranularity - 1)));
    std::memset(block, 0xCC, 256);
    RegionInfo region{};
    ASSERT_TRUE(memory.Query(free, region));
    EXPECT_EQ(region.state, RegionState::Committed);

    EXPECT_EQ(memory.ReserveCommit(reinterpret_cast<std::uintptr_t>(block), 256), nullptr);
    EXPECT_NE(memory.LastError(), 0u);

    memory.Release(block);
    ASSERT_TRUE(memory.Query(free, region));
    EXPECT_EQ(region.state, RegionState::Free);
}

TEST(MemoryRegions, ProtectionChanges_ResultInThePreviousProtectionReportedEachTime) {
    platform::MemorySystem& memory = platform::SystemMemory();
    Corvanis::BranchTrampoline block;
    ASSERT_TRUE(block.Create(platform::MainModuleBase(), memory).created);
    void* address = nullptr;
    ASSERT_EQ(block.AllocateBytes(16, address), Corvanis::TrampolineStatus::Ok);

    std::uint32_t previous = 0;
    ASSERT_TRUE(memory.ChangeProtection(address, 16, platform::kPageReadOnly, &previous));
    EXPECT_EQ(previous, platform::kPageExecuteReadWrite);
    ASSERT_TRUE(memory.ChangeProtection(address, 16, platform::kPageExecuteRead, &previous));
    EXPECT_EQ(previous, platform::kPageReadOnly);
    ASSERT_TRUE(memory.ChangeProtection(address, 16, platform::kPageReadWrite, &previous));
    EXPECT_EQ(previous, platform::kPageExecuteRead);
    std::memset(address, 0, 16);
    ASSERT_TRUE(memory.ChangeProtection(address, 16, platform::kPageExecuteReadWrite, &previous));
    EXPECT_EQ(previous, platform::kPageReadWrite);
}

TEST(MemoryRegions, ProtectionChangeOfUnmappedMemory_ResultsInFailure) {
    Corvanis::BranchTrampoline probe;
    ASSERT_TRUE(probe.Create(platform::MainModuleBase(), platform::SystemMemory()).created);
    void* gone = reinterpret_cast<void*>(probe.Base());
    probe.Destroy();
    std::uint32_t previous = 0;
    EXPECT_FALSE(platform::SystemMemory().ChangeProtection(gone, 16, platform::kPageExecuteReadWrite, &previous));
}

TEST(ReadableMemory, MemoryOfEveryKind_IsToldReadableOnlyWhereEveryByteCanBeRead) {
    const int onStack = 7;
    const std::vector<char> onHeap(100);
    EXPECT_TRUE(platform::IsReadableMemory(&onStack, sizeof onStack));
    EXPECT_TRUE(platform::IsReadableMemory(onHeap.data(), onHeap.size()));
    EXPECT_TRUE(platform::IsReadableMemory(reinterpret_cast<const void*>(&FunctionInTheImage), 16));
    EXPECT_FALSE(platform::IsReadableMemory(&onStack, 0));
    EXPECT_FALSE(platform::IsReadableMemory(nullptr, 8));
    EXPECT_FALSE(platform::IsReadableMemory(reinterpret_cast<const void*>(UINTPTR_MAX - 3), 8));
    EXPECT_FALSE(platform::IsReadableMemory(reinterpret_cast<const void*>(0x7FFFFFFFFFF0), 8));

    // Two pages of the heap, the second made no-access for a while.
    constexpr std::uintptr_t kPage = 0x1000;
    std::vector<unsigned char> heap(3 * kPage);
    auto* first = reinterpret_cast<unsigned char*>((reinterpret_cast<std::uintptr_t>(heap.data()) + kPage - 1) &
                                                   ~(kPage - 1));
    unsigned char* second = first + kPage;
    std::uint32_t previous = 0;
    ASSERT_TRUE(platform::SystemMemory().ChangeProtection(second, kPage, platform::kPageNoAccess, &previous));
    const bool wholeFirstPage = platform::IsReadableMemory(first, kPage);
    const bool endOfFirstPage = platform::IsReadableMemory(second - 8, 8);
    const bool intoTheSecond = platform::IsReadableMemory(second - 8, 9);
    const bool secondPage = platform::IsReadableMemory(second, 8);
    ASSERT_TRUE(platform::SystemMemory().ChangeProtection(second, kPage, previous, &previous));
    EXPECT_TRUE(wholeFirstPage);
    EXPECT_TRUE(endOfFirstPage);
    EXPECT_FALSE(intoTheSecond);
    EXPECT_FALSE(secondPage);
    EXPECT_TRUE(platform::IsReadableMemory(first, 2 * kPage));

    // Memory that was mapped and is given back.
    Corvanis::BranchTrampoline probe;
    ASSERT_TRUE(probe.Create(platform::MainModuleBase(), platform::SystemMemory()).created);
    const void* gone = reinterpret_cast<const void*>(probe.Base());
    EXPECT_TRUE(platform::IsReadableMemory(gone, 8));
    probe.Destroy();
    EXPECT_FALSE(platform::IsReadableMemory(gone, 8));
}

}  // namespace
