// A failed consistency check of the trampoline stops the process at once
// after its one line on standard output; run in the probe process.
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

}  // namespace
