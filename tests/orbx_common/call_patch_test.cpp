// Redirects a real relative call in this program's own code through a real
// trampoline below its image.
#include <gtest/gtest.h>

#include <cstring>

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
    ~CallSiteRestorer() { Corvanis::PatchCode(site_, original_, sizeof original_); }

private:
    std::uintptr_t site_;
    std::uint8_t original_[5];
};

TEST(RealTrampoline, CreatedForTheTestProgram_ResultsInABlockBelowItsImageWithinReach) {
    const std::uintptr_t image = platform::MainModuleBase();
    BranchTrampoline trampoline;
    ASSERT_TRUE(trampoline.Create(image, platform::SystemMemory()));
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
    ASSERT_TRUE(trampoline.Create(platform::MainModuleBase(), platform::SystemMemory()));
    CallSiteRestorer restorer(site);
    ASSERT_TRUE(trampoline.WriteCallThroughTrampoline(site, Address(&corvanis_test_replacement_callee)));

    EXPECT_EQ(corvanis_test_caller(), 2);
    EXPECT_EQ(Corvanis::GetCallTarget(site), trampoline.Base());
    EXPECT_EQ(trampoline.Used(), 14u);
    std::uint8_t expectedSlot[14];
    Corvanis::EmitBranchSlot(expectedSlot, Address(&corvanis_test_replacement_callee));
    EXPECT_EQ(std::memcmp(reinterpret_cast<const void*>(trampoline.Base()), expectedSlot, 14), 0);

    std::uint32_t protection = 0;
    ASSERT_TRUE(platform::ChangeProtection(const_cast<unsigned char*>(corvanis_test_call_site), 5,
                                           platform::kPageExecuteRead, &protection));
    EXPECT_EQ(protection, platform::kPageExecuteRead);

    ASSERT_TRUE(trampoline.WriteCallThroughTrampoline(site, Address(&corvanis_test_original_callee)));
    EXPECT_EQ(corvanis_test_caller(), 1);
    EXPECT_EQ(Corvanis::GetCallTarget(site), trampoline.Base() + 14);
}

}  // namespace
