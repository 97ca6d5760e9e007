#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/piloting/TrampolineReports.h"
#include "orbx_common/BranchTrampoline.h"
#include "platform/platform.h"

namespace {

using Corvanis::BranchTrampoline;
using Corvanis::TrampolineStatus;
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

// The search and the diagnostics the plug-in writes of it.
SearchOutcome Search(FakeMemory& memory, std::uintptr_t image = kImage) {
    BranchTrampoline trampoline;
    const Corvanis::TrampolineSearch search = trampoline.Create(image, memory);
    testing::internal::CaptureStdout();
    Corvanis::ReportTrampolineSearch(search);
    SearchOutcome outcome{search.created, trampoline.Base(), testing::internal::GetCapturedStdout()};
    if (search.created) {
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
        ASSERT_TRUE(trampoline.Create(kImage, memory).created);
        EXPECT_TRUE(trampoline.Create(kImage, memory).created);
        EXPECT_EQ(memory.allocated.size(), 1u);
        EXPECT_EQ(memory.queried.size(), 1u);
        EXPECT_EQ(trampoline.Base(), kImage - 256);
    }
    EXPECT_EQ(memory.released, (std::vector<void*>{reinterpret_cast<void*>(kImage - 256)}));
}

TEST(TrampolineLifetime, SlotsTaken_ResultsInConsecutiveBytesUntilTheCapacity_ThenInTheFullStatus) {
    FakeMemory memory;
    memory.regions = {{kImage - 0x10000, 0x10000, kFree}};
    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(kImage, memory).created);
    for (std::size_t slot = 0; slot < 18; ++slot) {
        void* bytes = nullptr;
        EXPECT_EQ(trampoline.AllocateBytes(14, bytes), TrampolineStatus::Ok);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes), kImage - 256 + slot * 14);
    }
    void* bytes = nullptr;
    EXPECT_EQ(trampoline.AllocateBytes(14, bytes), TrampolineStatus::Full);
    EXPECT_EQ(bytes, nullptr);
    EXPECT_EQ(trampoline.Used(), 252u);
    EXPECT_EQ(trampoline.AllocateBytes(4, bytes), TrampolineStatus::Ok);
    EXPECT_EQ(bytes, reinterpret_cast<void*>(kImage - 4));
    EXPECT_EQ(trampoline.Used(), 256u);
}

// Each failed check is a status of its own, reported under the line number and
// condition text that players' reports have always carried.
TEST(TrampolineChecks, EachFailedCheck_ResultsInItsStatusAndItsReportLine) {
    BranchTrampoline none;
    EXPECT_EQ(none.WriteCallThroughTrampoline(0x1000, 0x2000), TrampolineStatus::NoTrampoline);

    // Slots are written, so the trampoline lies in memory of the test's own.
    alignas(16) static std::uint8_t block[BranchTrampoline::kSize];
    const auto blockAddress = reinterpret_cast<std::uintptr_t>(block);
    FakeMemory memory;
    memory.regions = {{blockAddress, BranchTrampoline::kSize, kFree}};
    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(blockAddress + BranchTrampoline::kSize, memory).created);
    ASSERT_EQ(trampoline.Base(), blockAddress);
    EXPECT_EQ(trampoline.WriteCallThroughTrampoline(blockAddress + 0x100000000ULL, 0x2000),
              TrampolineStatus::OutOfReach);
    void* bytes = nullptr;
    while (trampoline.AllocateBytes(14, bytes) == TrampolineStatus::Ok) {
    }
    EXPECT_EQ(trampoline.WriteCallThroughTrampoline(blockAddress, 0x2000), TrampolineStatus::Full);

    EXPECT_EQ(Corvanis::FailedCheckReport(TrampolineStatus::NoTrampoline),
              "Assertion failed in orbx_common/BranchTrampoline (125): m_base");
    EXPECT_EQ(Corvanis::FailedCheckReport(TrampolineStatus::Full),
              "Assertion failed in orbx_common/BranchTrampoline (255): result");
    EXPECT_EQ(Corvanis::FailedCheckReport(TrampolineStatus::OutOfReach),
              "Assertion failed in orbx_common/BranchTrampoline (245): "
              "(trampolineDispl >= _I32_MIN) && (trampolineDispl <= _I32_MAX)");
    EXPECT_EQ(Corvanis::FailedCheckReport(TrampolineStatus::Ok), "");
    EXPECT_EQ(Corvanis::FailedCheckReport(TrampolineStatus::NotWritable), "");
}

}  // namespace
