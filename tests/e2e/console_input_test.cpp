// Where console lines come from: --run lines, a script file, standard input.
#include <gtest/gtest.h>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

Lines Echoed(const ProcessResult& result) { return LinesStartingWith(result.OutLines(), "> "); }

TEST(ConsoleInput, RunLinesComeFirstInOrder_ThenTheScriptWithoutCommentsAndBlankLines_EachEchoed) {
    GameFolder folder;
    folder.WriteFile("lines.txt",
                     "# a comment\r\n"
                     "from the script\r\n"
                     "\r\n"
                     "   \t\n"
                     "    # an indented comment\n"
                     "  indented line  \n"
                     "last line without an end");

    const ProcessResult result = folder.Run({"--run", "first", "--script", "lines.txt", "--run", "second"});

    EXPECT_EQ(Echoed(result), (Lines{"> first", "> second", "> from the script", "> indented line",
                                     "> last line without an end"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST(ConsoleInput, QuitOrExitInAnyCase_EndsTheGame_AndNoLaterLineRuns) {
    GameFolder folder;
    folder.WriteFile("quits.txt", "before\n  Exit \nafter\n");

    const ProcessResult byRun = folder.Run({"--run", "one", "--run", "QUIT", "--run", "two", "--script", "quits.txt"});
    const ProcessResult byScript = folder.Run({"--run", "one", "--script", "quits.txt"});

    EXPECT_EQ(Echoed(byRun), (Lines{"> one", "> QUIT"}));
    EXPECT_EQ(byRun.exitCode, 0);
    EXPECT_EQ(Echoed(byScript), (Lines{"> one", "> before", "> Exit"}));
    EXPECT_EQ(byScript.exitCode, 0);
}

TEST(ConsoleInput, WithoutRunLinesOrScript_AndNoInput_TheGameBootsAndEnds) {
    GameFolder folder;

    const ProcessResult result = folder.Run({});

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

class TypedInput : public ::testing::Test {};

TEST_F(TypedInput, LinesRunUntilQuit_WithoutEchoOrPrompt_WhenInputIsNoTerminal) {
    GameFolder folder;

    const ProcessResult result = folder.Run({}, "sim.plugins\r\n\n   \nquit\nsim.plugins\n");

    EXPECT_EQ(result.OutLines(), Lines{"No plug-ins loaded"});
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
}

TEST_F(TypedInput, TheEndOfInput_EndsTheGameAfterALastLineWithoutEnd) {
    GameFolder folder;

    const ProcessResult result = folder.Run({}, "sim.plugins");

    EXPECT_EQ(result.OutLines(), Lines{"No plug-ins loaded"});
    EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace e2e
