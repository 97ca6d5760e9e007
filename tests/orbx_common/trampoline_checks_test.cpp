// A failed consistency check of the trampoline stops the process at once
// after one line on standard output; run in the probe process.
#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"

namespace {

using corvanis_test::kPluginProbe;
using corvanis_test::RunProbe;

constexpr int kStoppedByCheck = 3;

TEST(TrampolineChecks, CallWrittenWithoutATrampoline_ResultsInTheBaseCheckStoppingTheProcess) {
    const auto result = RunProbe(kPluginProbe, {"call-without-trampoline"});
    EXPECT_EQ(result.exitCode, kStoppedByCheck);
    EXPECT_EQ(result.standardOutput, "Assertion failed in orbx_common/BranchTrampoline (125): m_base\n");
}

TEST(TrampolineChecks, NineteenthSlotOf14Bytes_ResultsInTheRoomCheckStoppingTheProcess) {
    const auto result = RunProbe(kPluginProbe, {"trampoline-overflow"});
    EXPECT_EQ(result.exitCode, kStoppedByCheck);
    std::string expected;
    for (int slot = 1; slot <= 18; ++slot) expected += "slot " + std::to_string(slot) + " taken\n";
    expected += "Assertion failed in orbx_common/BranchTrampoline (255): result\n";
    EXPECT_EQ(result.standardOutput, expected);
}

TEST(TrampolineChecks, CallSiteOutOfReachOfTheTrampoline_ResultsInTheDisplacementCheckStoppingTheProcess) {
    const auto result = RunProbe(kPluginProbe, {"call-out-of-reach"});
    EXPECT_EQ(result.exitCode, kStoppedByCheck);
    EXPECT_EQ(result.standardOutput,
              "Assertion failed in orbx_common/BranchTrampoline (245): "
              "(trampolineDispl >= _I32_MIN) && (trampolineDispl <= _I32_MAX)\n");
}

}  // namespace
