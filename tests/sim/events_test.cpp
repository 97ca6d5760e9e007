// The player update event source calls sinks through their hand-built
// virtual table; sinks may come and go while it notifies them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/PlayerUpdateEvents.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"

namespace {

using veltrane::EventSource;
using veltrane::VXTEventDetail::SinkBase;

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

// Laid out as a plug-in's sink: the virtual table pointer first.
std::uint32_t ProcessEvent(SinkBase* self, const void* event, EventSource* source);
void DestroySink(SinkBase*, std::uint32_t) {}
const veltrane::EventSinkVTable kSinkVTable{&DestroySink, &ProcessEvent};

struct TestSink {
    SinkBase base{&kSinkVTable};
    int calls = 0;
    std::function<void(TestSink&)> onEvent;
};

std::uint32_t ProcessEvent(SinkBase* self, const void* event, EventSource* source) {
    auto* sink = reinterpret_cast<TestSink*>(self);
    EXPECT_NE(event, nullptr);
    EXPECT_EQ(source, Game().GetPlayerUpdateEventSource(false));
    ++sink->calls;
    if (sink->onEvent) sink->onEvent(*sink);
    return veltrane::kNotifyContinue;
}

EventSource* Source() { return Game().GetPlayerUpdateEventSource(true); }
void Add(TestSink& sink) { Game().EventSourceAddSink(Source(), &sink.base); }
void Remove(TestSink& sink) { Game().EventSourceRemoveSink(Source(), &sink.base); }

void Tick(int count) { sim::RunConsoleLine("sim.tick " + std::to_string(count)); }

TEST(PlayerUpdateEvents, ASinkThatRemovesItselfWhileNotified_GetsNoMoreCallsAndTheOthersGoOn) {
    TestSink first, leaving, last;
    leaving.onEvent = [](TestSink& self) { Remove(self); };
    Add(first);
    Add(leaving);
    Add(last);
    Tick(3);
    EXPECT_EQ(first.calls, 3);
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(last.calls, 3);
    Remove(first);
    Remove(last);
}

TEST(PlayerUpdateEvents, ASinkRemovedByAnotherDuringADispatch_IsNotCalledInItNorLater) {
    TestSink remover, removed;
    remover.onEvent = [&removed](TestSink&) { Remove(removed); };
    Add(remover);
    Add(removed);
    Tick(2);
    EXPECT_EQ(remover.calls, 2);
    EXPECT_EQ(removed.calls, 0);
    Remove(remover);
}

TEST(PlayerUpdateEvents, ASinkAddedDuringADispatch_IsFirstCalledByTheNext) {
    TestSink adder, added;
    adder.onEvent = [&added](TestSink& self) {
        Add(added);
        Add(self);  // a second registration of the same sink changes nothing
    };
    Add(adder);
    Tick(1);
    EXPECT_EQ(added.calls, 0);
    Tick(1);
    EXPECT_EQ(adder.calls, 2);
    EXPECT_EQ(added.calls, 1);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.events"), (std::vector<std::string>{"PlayerUpdateEvent sinks: 2"}));
    Remove(adder);
    Remove(added);
    EXPECT_EQ(console.Run("sim.events"), (std::vector<std::string>{"PlayerUpdateEvent sinks: 0"}));
}

TEST(PlayerUpdateEvents, SimWait_KeepsNotifyingWhileRealTimePasses) {
    TestSink counter;
    Add(counter);
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.wait 0.3"), (std::vector<std::string>{"Waited 0.3 s."}));
    EXPECT_GE(counter.calls, 4);
    Remove(counter);
}

TEST(Readiness, TheFlagsAndTheQuery_FollowTheWorldAndTheConsole) {
    simtest::LoadWorldText(R"({"format": "veltrane-world 1", "files": [], "player": null,
        "game": {"readiness": {"ready": false, "busy": true, "menuOpen": true}}})");
    EXPECT_EQ(*Game().readyFlag, 0);
    EXPECT_EQ(*Game().busyFlag, 1);
    EXPECT_NE(Game().ReadinessQuery(Game().busyFlag), 0);
    simtest::ConsoleCapture console;
    sim::RunConsoleLine("sim.ready on");
    sim::RunConsoleLine("sim.busy off");
    sim::RunConsoleLine("sim.menu off");
    EXPECT_EQ(console.lines, (std::vector<std::string>{"Ready flag: on", "Busy flag: off", "Menu open: off"}));
    EXPECT_EQ(*Game().readyFlag, 1);
    EXPECT_EQ(*Game().busyFlag, 0);
    EXPECT_EQ(Game().ReadinessQuery(Game().busyFlag), 0);
}

}  // namespace
