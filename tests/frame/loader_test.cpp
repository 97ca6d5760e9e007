// The loader's view of the plug-in: the listener in-process, the start-up
// through the built module and its fatal ends in the probe process.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "frame/startup/FatalReport.h"
#include "frame/startup/LoaderMessages.h"
#include "frame/startup/PluginTitle.h"
#include "host/host.h"
#include "tests/support/ChildProcess.h"

namespace {

using corvanis_test::kLoaderProbe;
using corvanis_test::kPluginProbe;
using corvanis_test::RunProbe;

int g_dataLoadedRuns = 0;
void CountDataLoaded() { ++g_dataLoadedRuns; }

TEST(LoaderMessages, OnlyTheDataLoadedMessage_RunsTheStartUp) {
    g_dataLoadedRuns = 0;
    for (std::uint32_t type : {0u, 1u, 3u, 4u, 0x102u, 0xFFFFFFFFu, orbx::kMessageDataLoaded}) {
        orbx::Message message{"ORBX", type, 0, nullptr};
        Corvanis::DispatchLoaderMessage(&message, CountDataLoaded);
    }
    Corvanis::DispatchLoaderMessage(nullptr, CountDataLoaded);
    EXPECT_EQ(g_dataLoadedRuns, 1);
}

void FailDataLoaded() { throw std::runtime_error("the settings file vanished"); }
void FailDataLoadedWithoutReason() { throw 42; }

TEST(LoaderMessages, AStartUpThatThrows_EndsWithADiagnosticLineAndNothingReachesTheLoader) {
    orbx::Message message{"ORBX", orbx::kMessageDataLoaded, 0, nullptr};
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(Corvanis::DispatchLoaderMessage(&message, FailDataLoaded));
    EXPECT_NO_THROW(Corvanis::DispatchLoaderMessage(&message, FailDataLoadedWithoutReason));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Corvanis: the start-up after the game's data was loaded stopped early: the settings file vanished\n"
              "Corvanis: the start-up after the game's data was loaded stopped early: unknown exception\n");
}

// What the message box shows: on POSIX it goes to standard error, under Wine
// without a desktop it is answered unseen.
std::string MessageBoxOutput(const std::string& function, int line, const std::string& error) {
#if defined(_WIN32)
    (void)function, (void)line, (void)error;
    return "";
#else
    return Corvanis::PluginTitle() + "\n" + Corvanis::FatalReportText(function, line, error);
#endif
}

const char* const kNoGameModule = "Installation error: Veltrane.exe handle couldn't be acquired";

std::string GameDoesNotFit(const std::string& problem) {
    return "Installation error: Veltrane.exe doesn't fit this plug-in (" + problem + ")";
}

TEST(StartUp, ModuleLoadedByALoader_ResultsInTheListenerRegisteredUnderORBXAndEveryMessageTakenQuietly) {
    const auto result = RunProbe(kLoaderProbe, {corvanis_test::PluginModulePath()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput,
              "plug-in handle asked for\n"
              "interface 1 asked for\n"
              "listener registered for plug-in 7 from sender ORBX\n"
              "load returned true\n"
              "message 0 delivered\n"
              "message 1 delivered\n"
              "message 3 delivered\n"
              "message 2 delivered\n");
    EXPECT_EQ(result.standardError, "");
}

TEST(StartUp, GamesWhoseInterfaceDoesNotFit_ResultInTheFatalReportForLine465SayingWhatIsWrong) {
    const auto none = RunProbe(kLoaderProbe, {corvanis_test::PluginModulePath(), "without-game"});
    const auto lacking = RunProbe(kLoaderProbe, {corvanis_test::PluginModulePath(), "without-add-sink"});

    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.standardOutput, "plug-in handle asked for\n");
    EXPECT_EQ(none.standardError, MessageBoxOutput("ORBXPlugin_Load", 465, GameDoesNotFit("no game interface")));
    EXPECT_EQ(lacking.exitCode, 0);
    EXPECT_EQ(lacking.standardOutput, "plug-in handle asked for\n");
    EXPECT_EQ(lacking.standardError,
              MessageBoxOutput("ORBXPlugin_Load", 465, GameDoesNotFit("game interface without EventSourceAddSink")));
}

TEST(GameBinding, TheSimulatedGame_Fits_AndTablesOfAnotherBuild_SayWhatDoesNot) {
    const veltrane::GameInterface& game = host::Game();
    EXPECT_EQ(host::GameInterfaceMismatch(&game), "");

    veltrane::GameInterface other = game;
    other.version = 2;
    EXPECT_EQ(host::GameInterfaceMismatch(&other), "game interface version 2, expected 1");
    other = game;
    other.size -= 8;
    EXPECT_EQ(host::GameInterfaceMismatch(&other), "game interface of " + std::to_string(game.size - 8) +
                                                       " bytes, expected " + std::to_string(game.size));
    other = game;
    other.FindComponent = nullptr;
    EXPECT_EQ(host::GameInterfaceMismatch(&other), "game interface without FindComponent");
    other = game;
    other.readyFlag = nullptr;
    EXPECT_EQ(host::GameInterfaceMismatch(&other), "game interface without readyFlag");
    other = game;
    other.pilotingCallSite = nullptr;
    EXPECT_EQ(host::GameInterfaceMismatch(&other), "game interface without pilotingCallSite");
}

TEST(StartUp, NoGameBase_ResultsInTheFatalReportForLine462AndExitCode0) {
    const auto result = RunProbe(kPluginProbe, {"load-without-game-base"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "plug-in handle asked for\n");
    EXPECT_EQ(result.standardError, MessageBoxOutput("ORBXPlugin_Load", 462, kNoGameModule));
}

TEST(StartUp, NoFreeMemoryBelowTheGame_ResultsInTheDiagnosticThenTheFatalReportForLine472) {
    const auto result = RunProbe(kPluginProbe, {"load-without-free-memory"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput,
              "plug-in handle asked for\n"
              "couldn't allocate trampoline, no free space before image\n");
    EXPECT_EQ(result.standardError, MessageBoxOutput("ORBXPlugin_Load", 472, "alloc error"));
}

TEST(FatalReport, Raised_ResultsInTheBoxThenTheProcessEndingWithCode0WithoutReturning) {
    const auto result = RunProbe(kPluginProbe, {"fatal-report"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError,
              MessageBoxOutput("Corvanis::InstallCommands", 284, "couldn't install, error code: 7"));
}

}  // namespace
