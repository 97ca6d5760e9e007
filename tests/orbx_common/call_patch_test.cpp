// Redirects a real relative call in this program's own code through a real
// trampoline below its image.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "orbx_common/BranchEncoding.h"
#include "orbx_common/BranchTrampoline.h"
#include "orbx_common/CodePatch.h"
#include "orbx_common/NearAddress.h"
#include "platform/platform.h"

extern "C" {
// A caller whose one call instruction sits at corvanis_test_call_site. It
// keeps 40 bytes of stack around the call: the callee's home area under the
// Windows ABI, and the 16-byte alignment both ABIs want at a call.
int corvanis_test_caller();
extern const unsigned char corvanis_test_call_site[];

__attribute__((used, noinline)) int corvanis_test_original_callee() { return 1; }
__attribute__((used, noinline)) int corvanis_test_replacement_callee() { return 2; }
}

asm(R"(
    .text
    .globl corvanis_test_caller
    .globl corvanis_test_call_site
    .p2align 4
corvanis_test_caller:
    subq $40, %rsp
corvanis_test_call_site:
    call corvanis_test_original_callee
    addq $40, %rsp
    ret
)");

namespace {

using Corvanis::BranchTrampoline;

template <class Code>
std::uintptr_t Address(Code* code) {
    return reinterpret_cast<std::uintptr_t>(code);
}

// Puts the call site's original bytes back, whatever the test did to them.
class CallSiteRestorer {
public:
    explicit CallSiteRestorer(std::uintptr_t site) : site_(site) {
        std::memcpy(original_, reinterpret_cast<const void*>(site), sizeof original_);
    }
    ~CallSiteRestorer() { Corvanis::PatchCode(site_, original_, sizeof original_, platform::SystemMemory()); }

private:
    std::uintptr_t site_;
    std::uint8_t original_[5];
};

std::string Hex(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", bytes[i]);
        text += (i > 0 ? " " : "") + std::string(byte);
    }
    return text;
}

// The system's memory services, with each protection change and each flush
// written down, a flush with the bytes it found.
class RecordingMemory final : public platform::MemorySystem {
public:
    bool refuseProtection = false;
    std::vector<std::string> steps;
    std::uint32_t firstPrevious = 0;

    bool Query(std::uintptr_t address, platform::RegionInfo& out) override { return system_.Query(address, out); }
    void* ReserveCommit(std::uintptr_t address, std::size_t size) override {
        return system_.ReserveCommit(address, size);
    }
    void Release(void* base) override { system_.Release(base); }
    std::uint32_t LastError() override { return system_.LastError(); }

    bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                          std::uint32_t* oldProtection) override {
        steps.push_back("protect " + std::to_string(newProtection));
        if (refuseProtection) return false;
        const bool changed = system_.ChangeProtection(address, size, newProtection, oldProtection);
        if (steps.size() == 1) firstPrevious = *oldProtection;
        return changed;
    }
    void FlushInstructionCache(const void* address, std::size_t size) override {
        steps.push_back("flush " + Hex(static_cast<const std::uint8_t*>(address), size));
        system_.FlushInstructionCache(address, size);
    }

private:
    platform::MemorySystem& system_ = platform::SystemMemory();
};

TEST(CodePatch, NewBytes_AreFlushedFromTheInstructionCacheOnceWrittenAndBeforeTheProtectionIsBack) {
    const std::uintptr_t site = Address(corvanis_test_call_site);
    CallSiteRestorer restorer(site);
    std::uint8_t call[5];
    Corvanis::EmitRelativeCall(call, static_cast<std::int32_t>(Corvanis::CallDisplacement(
                                         site, Address(&corvanis_test_replacement_callee))));
    RecordingMemory memory;

    ASSERT_TRUE(Corvanis::PatchCode(site, call, sizeof call, memory));

    EXPECT_EQ(memory.steps, (std::vector<std::string>{"protect " + std::to_string(platform::kPageExecuteReadWrite),
                                                      "flush " + Hex(call, sizeof call),
                                                      "protect " + std::to_string(memory.firstPrevious)}));
    EXPECT_EQ(corvanis_test_caller(), 2);
}

TEST(CodePatch, CodeThatCannotBeMadeWritable_ResultsInFalseWithNothingWrittenOrFlushed) {
    const std::uintptr_t site = Address(corvanis_test_call_site);
    std::uint8_t before[5];
    std::memcpy(before, corvanis_test_call_site, sizeof before);
    const std::uint8_t nops[5] = {0x90, 0x90, 0x90, 0x90, 0x90};
    RecordingMemory memory;
    memory.refuseProtection = true;

    EXPECT_FALSE(Corvanis::PatchCode(site, nops, sizeof nops, memory));

    EXPECT_EQ(memory.steps, (std::vector<std::string>{"protect " + std::to_string(platform::kPageExecuteReadWrite)}));
    EXPECT_EQ(std::memcmp(corvanis_test_call_site, before, sizeof before), 0);
    EXPECT_EQ(corvanis_test_caller(), 1);
}

TEST(RealTrampoline, CreatedForTheTestProgram_ResultsInABlockBelowItsImageWithinReach) {
    const std::uintptr_t image = platform::MainModuleBase();
    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(image, platform::SystemMemory()).created);
    EXPECT_LE(trampoline.Base() + BranchTrampoline::kSize, image);
    EXPECT_GE(trampoline.Base(), Corvanis::TrampolineSearchBound(image));
    EXPECT_TRUE(Corvanis::FitsInDisplacement(Corvanis::CallDisplacement(image, trampoline.Base())));
    EXPECT_TRUE(Corvanis::FitsInDisplacement(
        Corvanis::CallDisplacement(Address(corvanis_test_call_site), trampoline.Base())));
}

TEST(CallPatch, RelativeCallInTheTestProgram_ResultsInTheNewTargetReachedThroughASlotWithTheCodeProtectionRestored) {
    const std::uintptr_t site = Address(corvanis_test_call_site);
    ASSERT_EQ(corvanis_test_caller(), 1);
    ASSERT_EQ(Corvanis::GetCallTarget(site), Address(&corvanis_test_original_callee));

    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(platform::MainModuleBase(), platform::SystemMemory()).created);
    CallSiteRestorer restorer(site);
    ASSERT_EQ(trampoline.WriteCallThroughTrampoline(site, Address(&corvanis_test_replacement_callee)), Corvanis::TrampolineStatus::Ok);

    EXPECT_EQ(corvanis_test_caller(), 2);
    EXPECT_EQ(Corvanis::GetCallTarget(site), trampoline.Base());
    EXPECT_EQ(trampoline.Used(), 14u);
    std::uint8_t expectedSlot[14];
    Corvanis::EmitBranchSlot(expectedSlot, Address(&corvanis_test_replacement_callee));
    EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(trampoline.Base()), expectedSlot, 14), 0);

    std::uint32_t protection = 0;
    ASSERT_TRUE(platform::SystemMemory().ChangeProtection(const_cast<unsigned char*>(corvanis_test_call_site), 5,
                                                          platform::kPageExecuteRead, &protection));
    EXPECT_EQ(protection, platform::kPageExecuteRead);

    ASSERT_EQ(trampoline.WriteCallThroughTrampoline(site, Address(&corvanis_test_original_callee)), Corvanis::TrampolineStatus::Ok);
    EXPECT_EQ(corvanis_test_caller(), 1);
    EXPECT_EQ(Corvanis::GetCallTarget(site), trampoline.Base() + 14);
}

}  // namespace
