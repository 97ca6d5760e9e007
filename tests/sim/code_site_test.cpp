// The piloting check reaches its callee through a 5-byte relative call in the
// game's own code; whatever that call reaches is what the game uses.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"
#include "sim/code/PilotingCallSite.h"
#include "tests/support/GameErrors.h"

namespace {

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

std::uintptr_t CallTarget(const std::uint8_t* site) {
    std::int32_t displacement;
    std::memcpy(&displacement, site + 1, sizeof displacement);
    return reinterpret_cast<std::uintptr_t>(site) + 5 + static_cast<std::intptr_t>(displacement);
}

// As a plug-in would: make the bytes writable, write, restore.
void WriteCode(std::uint8_t* site, const std::uint8_t (&bytes)[5]) {
#if defined(_WIN32)
    DWORD previous = 0;
    ASSERT_TRUE(VirtualProtect(site, 5, PAGE_EXECUTE_READWRITE, &previous));
    std::memcpy(site, bytes, 5);
    ASSERT_TRUE(VirtualProtect(site, 5, previous, &previous));
    FlushInstructionCache(GetCurrentProcess(), site, 5);
#else
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(site) & ~(pageSize - 1);
    const std::size_t length = reinterpret_cast<std::uintptr_t>(site) + 5 - first;
    ASSERT_EQ(mprotect(reinterpret_cast<void*>(first), length, PROT_READ | PROT_WRITE | PROT_EXEC), 0);
    std::memcpy(site, bytes, 5);
    ASSERT_EQ(mprotect(reinterpret_cast<void*>(first), length, PROT_READ | PROT_EXEC), 0);
#endif
}

void CallTo(std::uint8_t* site, const void* target, std::uint8_t (&bytes)[5]) {
    const auto displacement = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(target) -
                                                        static_cast<std::intptr_t>(reinterpret_cast<std::uintptr_t>(site) + 5));
    bytes[0] = 0xE8;
    std::memcpy(bytes + 1, &displacement, sizeof displacement);
}

veltrane::Form* g_seenActor = nullptr;
veltrane::Form* g_seenShip = nullptr;

std::uintptr_t NoRequirement(veltrane::Form* actor, veltrane::Form* ship) {
    g_seenActor = actor;
    g_seenShip = ship;
    return 0;
}

std::string SessionLine(const std::string& dump) {
    const std::size_t at = dump.find("\"session\"");
    return at == std::string::npos ? std::string() : dump.substr(at, dump.find('\n', at) - at);
}

TEST(PilotingCallSite, TheSiteIsARelativeCallToTheGamesOwnCallee) {
    const std::uint8_t* site = Game().pilotingCallSite;
    ASSERT_EQ(site, VeltranePilotingCallSite);
    EXPECT_EQ(site[0], 0xE8);
    EXPECT_EQ(CallTarget(site), reinterpret_cast<std::uintptr_t>(&VeltranePilotingRequirement));
}

TEST(PilotingCallSite, TheCheckThroughTheSite_AnswersTheWorldsRequirement) {
    simtest::LoadWorldText(R"({"format": "veltrane-world 1", "files": [], "player": null,
        "game": {"pilotingRequirement": 7}})");
    EXPECT_EQ(VeltranePilotingCheck(nullptr, nullptr), 7u);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.pilotcheck"), (std::vector<std::string>{"Piloting skill requirement: 7"}));
}

TEST(PilotingCallSite, TheCalleeHandedOtherArgumentsThanThePlayerAndTheShip_SaysSo) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorld(simtest::ExampleWorld("starter.json"), error)) << error;
    veltrane::Form* player = Game().GetPlayerCharacter();
    veltrane::Form* ship = Game().GetShipPlayerIsIn(player, true, nullptr, nullptr);
    ASSERT_NE(ship, nullptr);
    simtest::ConsoleCapture console;
    corvanis_test::ExpectedGameErrors expected;

    EXPECT_EQ(VeltranePilotingCheck(player, ship), 3u);
    EXPECT_EQ(VeltranePilotingCheck(ship, player), 3u);
    EXPECT_EQ(VeltranePilotingCheck(player, nullptr), 3u);
    EXPECT_EQ(console.lines,
              (std::vector<std::string>{
                  "Game error: the piloting requirement was asked for another actor or ship than the game's",
                  "Game error: the piloting requirement was asked for another actor or ship than the game's"}));
}

TEST(PilotingCallSite, ARedirectedCall_IsWhatTheGameUsesAndADumpSaysSo) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorld(simtest::ExampleWorld("starter.json"), error)) << error;
    EXPECT_EQ(SessionLine(sim::DumpWorldToText()), R"("session": {"pilotingCallSite": "original"})");

    std::uint8_t* site = Game().pilotingCallSite;
    std::uint8_t original[5];
    std::memcpy(original, site, 5);
    std::uint8_t redirected[5];
    CallTo(site, reinterpret_cast<const void*>(&NoRequirement), redirected);
    WriteCode(site, redirected);

    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.pilotcheck"), (std::vector<std::string>{"Piloting skill requirement: 0"}));
    EXPECT_EQ(g_seenActor, Game().GetPlayerCharacter());
    EXPECT_EQ(g_seenShip, Game().GetShipPlayerIsIn(Game().GetPlayerCharacter(), true, nullptr, nullptr));
    EXPECT_NE(g_seenShip, nullptr);
    EXPECT_EQ(SessionLine(sim::DumpWorldToText()), R"("session": {"pilotingCallSite": "patched"})");

    WriteCode(site, original);
    EXPECT_EQ(console.Run("sim.pilotcheck"), (std::vector<std::string>{"Piloting skill requirement: 3"}));
}

}  // namespace
