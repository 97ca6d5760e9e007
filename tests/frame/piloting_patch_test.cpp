// A piloting patch that cannot be installed ends the game through the fatal
// report; run in the probe process, whose game code is of the test's making.
#include <gtest/gtest.h>

#include <string>

#include "frame/startup/FatalReport.h"
#include "frame/startup/PluginTitle.h"
#include "tests/support/ChildProcess.h"

namespace {

using corvanis_test::kPluginProbe;
using corvanis_test::RunProbe;

const char* const kLoaded =
    "plug-in handle asked for\n"
    "interface 1 asked for\n"
    "listener registered for plug-in 7 from sender ORBX\n";

std::string WriteErrorReport() {
#if defined(_WIN32)
    // Without a desktop the box is answered unseen.
    return "";
#else
    return Corvanis::PluginTitle() + "\n" +
           Corvanis::FatalReportText("Corvanis::PilotingSkill::InstallNoPilotingSkillRequirement", 76, "write error");
#endif
}

TEST(PilotingPatchInstall, ACallSiteWithoutARelativeCallOrOneThatCannotBeMadeWritable_EndsInTheWriteErrorReport) {
    const auto withoutCall = RunProbe(kPluginProbe, {"piloting-patch-without-call"});
    const auto unwritable = RunProbe(kPluginProbe, {"piloting-patch-on-unwritable-code"});

    EXPECT_EQ(withoutCall.exitCode, 0);
    EXPECT_EQ(withoutCall.standardOutput, kLoaded);
    EXPECT_EQ(withoutCall.standardError, WriteErrorReport());
    EXPECT_EQ(unwritable.exitCode, 0);
    EXPECT_EQ(unwritable.standardOutput, kLoaded);
    EXPECT_EQ(unwritable.standardError, WriteErrorReport());
}

}  // namespace
