#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orbx_common/BranchTrampoline.h"
#include "platform/platform.h"

namespace {

using Corvanis::BranchTrampoline;
using platform::RegionState;

struct Region {
    std::uintptr_t base;
    std::uint64_t size;
    RegionState state;
};

// A region map to search, with allocations that fail where told to.
class FakeMemory final : public platform::MemorySystem {
public:
    std::vector<Region> regions;
    std::vector<std::uintptr_t> refusedAddresses;
    std::uint32_t refusalError = 0x1E7;
    std::uintptr_t failingQueriesBelow = 0;
    std::uint32_t queryError = 0x57;

    std::vector<std::uintptr_t> queried;
    std::vector<std::uintptr_t> allocated;
    std::vector<void*> released;

    bool Query(std::uintptr_t address, platform::RegionInfo& out) override {
        queried.push_back(address);
        if (address < failingQueriesBelow) return Fail(queryError);
        for (const Region& region : regions) {
            if (address >= region.base && address - region.base < region.size) {
                out = {region.base, region.size, region.state};
                return true;
            }
        }
        return Fail(queryError);
    }

    void* ReserveCommit(std::uintptr_t address, std::size_t size) override {
        EXPECT_EQ(size, BranchTrampoline::kSize);
        for (std::uintptr_t refused : refusedAddresses) {
            if (refused == address) {
                Fail(refusalError);
                return nullptr;
            }
        }
        allocated.push_back(address);
        return reinterpret_cast<void*>(address);
    }

    void Release(void* base) override { released.push_back(base); }

    std::uint32_t LastError() override { return lastError_; }

    // The search writes no code.
    bool ChangeProtection(void*, std::size_t, std::uint32_t, std::uint32_t*) override {
        ADD_FAILURE() << "code written during the search";
        return false;
    }
    void FlushInstructionCache(const void*, std::size_t) override { ADD_FAILURE() << "code flushed during the search"; }

private:
    bool Fail(std::uint32_t error) {
        lastError_ = error;
        return false;
    }

    std::uint32_t lastError_ = 0;
};

constexpr std::uintptr_t kImage = 0x140000000;
constexpr std::uintptr_t kBound = kImage - 0x78000000;
constexpr RegionState kFree = RegionState::Free;
constexpr RegionState kTaken = RegionState::Committed;

struct SearchOutcome {
    bool created;
    std::uintptr_t base;
    std::string output;
};

SearchOutcome Search(FakeMemory& memory, std::uintptr_t image = kImage) {
    BranchTrampoline trampoline;
    testing::internal::CaptureStdout();
    const bool created = trampoline.Create(image, memory);
    SearchOutcome outcome{created, trampoline.Base(), testing::internal::GetCapturedStdout()};
    if (created) {
        EXPECT_EQ(trampoline.Capacity(), 256u);
        EXPECT_EQ(trampoline.Used(), 0u);
    }
    return outcome;
}

TEST(TrampolineSearch, FreeRegionDirectlyBelowTheImage_ResultsInATrampolineEndingAtTheRegionEnd) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x200000, 0x200000, kFree}};
    const SearchOutcome outcome = Search(memory);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.base, kImage - 256);
    EXPECT_EQ(outcome.base + 256, kImage);
    EXPECT_EQ(memory.queried, (std::vector<std::uintptr_t>{kImage - 1}));
    EXPECT_EQ(outcome.output, "");
}

TEST(TrampolineSearch, TakenAndTooSmallRegionsBelowTheImage_ResultsInTheTopOfTheNextFreeRegionDown) {
    FakeMemory memory;
    memory.regions = {
        {kImage - 0x10000, 0x10000, kTaken},
        {kImage - 0x10000 - 0xFF, 0xFF, kFree},  // one byte short
        {kImage - 0x30000, 0x20000 - 0xFF, kTaken},
        {kImage - 0x40000, 0x10000, kFree},
    };
    const SearchOutcome outcome = Search(memory);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.base, kImage - 0x30000 - 256);
    EXPECT_EQ(memory.allocated, (std::vector<std::uintptr_t>{kImage - 0x30000 - 256}));
    EXPECT_EQ(outcome.output, "");
}

TEST(TrampolineSearch, RefusedAllocation_ResultsInItsDiagnosticAndTheSearchGoingOnBelow) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x10000, 0x10000, kFree}, {kImage - 0x20000, 0x10000, kFree}};
    memory.refusedAddresses = {kImage - 256};
    const SearchOutcome outcome = Search(memory);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.base, kImage - 0x10000 - 256);
    EXPECT_EQ(outcome.output, "trampoline alloc 000000013FFFFF00x0000000000000100 failed (000001E7)\n");
}

TEST(TrampolineSearch, FailedQuery_ResultsInItsDiagnosticAndNoTrampoline) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x10000, 0x10000, kTaken}};
    memory.failingQueriesBelow = kImage - 0x10000;
    memory.queryError = 0x57;
    const SearchOutcome outcome = Search(memory);
    EXPECT_FALSE(outcome.created);
    EXPECT_TRUE(memory.allocated.empty());
    EXPECT_EQ(outcome.output, "VirtualQuery failed: 00000057\n");
}

TEST(TrampolineSearch, FreeMemoryOnlyBeyondReachOfTheImage_ResultsInTheNoSpaceDiagnostic) {
    FakeMemory memory;
    memory.regions = {{kBound, kImage - kBound, kTaken}, {kBound - 0x100000, 0x100000, kFree}};
    const SearchOutcome outcome = Search(memory);
    EXPECT_FALSE(outcome.created);
    EXPECT_EQ(memory.queried, (std::vector<std::uintptr_t>{kImage - 1}));
    EXPECT_EQ(outcome.output, "couldn't allocate trampoline, no free space before image\n");
}

TEST(TrampolineSearch, FreeRegionStraddlingTheReachLimit_ResultsInItsTopUsedAndTheNoSpaceDiagnosticAllTheSame) {
    FakeMemory memory;
    memory.regions = {{kBound + 0x10, kImage - kBound - 0x10, kTaken}, {kBound - 0x100000, 0x100010, kFree}};
    const SearchOutcome outcome = Search(memory);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.base, kBound + 0x10 - 256);
    EXPECT_EQ(outcome.output, "couldn't allocate trampoline, no free space before image\n");
}

TEST(TrampolineSearch, ImageBelow0x78000000_ResultsInASearchDownToAddressZero) {
    constexpr std::uintptr_t image = 0x10000000;
    FakeMemory memory;
    memory.regions = {{0x1000, image - 0x1000, kTaken}, {0, 0x1000, kFree}};
    const SearchOutcome outcome = Search(memory, image);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.base, 0x1000u - 256);
    EXPECT_EQ(outcome.output, "");
}

TEST(TrampolineSearch, ImageBelow0x78000000WithEverythingTaken_ResultsInTheNoSpaceDiagnosticWithoutWrappingAround) {
    constexpr std::uintptr_t image = 0x10000000;
    FakeMemory memory;
    memory.regions = {{0, image, kTaken}};
    const SearchOutcome outcome = Search(memory, image);
    EXPECT_FALSE(outcome.created);
    EXPECT_EQ(memory.queried, (std::vector<std::uintptr_t>{image - 1}));
    EXPECT_EQ(outcome.output, "couldn't allocate trampoline, no free space before image\n");
}

TEST(TrampolineLifetime, SecondCreation_ResultsInNoSecondAllocation) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x10000, 0x10000, kFree}};
    {
        BranchTrampoline trampoline;
        ASSERT_TRUE(trampoline.Create(kImage, memory));
        EXPECT_TRUE(trampoline.Create(kImage, memory));
        EXPECT_EQ(memory.allocated.size(), 1u);
        EXPECT_EQ(memory.queried.size(), 1u);
        EXPECT_EQ(trampoline.Base(), kImage - 256);
    }
    EXPECT_EQ(memory.released, (std::vector<void*>{reinterpret_cast<void*>(kImage - 256)}));
}

TEST(TrampolineLifetime, SlotsTaken_ResultsInConsecutiveBytesUntilTheCapacity) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x10000, 0x10000, kFree}};
    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(kImage, memory));
    for (std::size_t slot = 0; slot < 18; ++slot) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(trampoline.AllocateBytes(14)), kImage - 256 + slot * 14);
    }
    EXPECT_EQ(trampoline.Used(), 252u);
    EXPECT_EQ(trampoline.AllocateBytes(4), reinterpret_cast<void*>(kImage - 4));
    EXPECT_EQ(trampoline.Used(), 256u);
}

}  // namespace
