#include "frame/PlayerUpdateSink.h"

#include "frame/CommandInstall.h"
#include "host/host.h"
#include "platform/platform.h"

namespace Corvanis {

namespace {

constexpr std::int64_t kRetrySpacingNanoseconds = 1000000000;

// Steady-clock time of the last attempt made from a notification; 0 for none.
std::int64_t g_lastAttempt = 0;

bool GameIsReady() {
    const veltrane::GameInterface& game = host::Game();
    return *game.readyFlag != 0 && *game.busyFlag == 0 && game.ReadinessQuery(game.busyFlag) == 0;
}

}  // namespace

constinit Corvanis_PlayerUpdateEventClass g_playerUpdateSink;

void RegisterPlayerUpdateSink(bool registerSink) {
    const veltrane::GameInterface& game = host::Game();
    veltrane::EventSource* source = game.GetPlayerUpdateEventSource(registerSink);
    if (source == nullptr) return;
    const auto change = registerSink ? game.EventSourceAddSink : game.EventSourceRemoveSink;
    change(source, &g_playerUpdateSink);
}

std::uint32_t Corvanis_PlayerUpdateEventClass::ProcessEvent(const veltrane::PlayerUpdateEvent*,
                                                            veltrane::EventSource*) {
    if (AllCommandsInstalled() || !GameIsReady()) return veltrane::kNotifyContinue;
    const std::int64_t now = platform::SteadyNanoseconds();
    // The first notification attempts at once, however young the clock is.
    if (g_lastAttempt == 0 || now - g_lastAttempt >= kRetrySpacingNanoseconds) {
        InstallCommands();
        g_lastAttempt = now;
    }
    return veltrane::kNotifyContinue;
}

// The instance is static and outlives every caller; nothing is freed.
void Corvanis_PlayerUpdateEventClass::Destroy(veltrane::VXTEventDetail::SinkBase*, std::uint32_t) {}

std::uint32_t Corvanis_PlayerUpdateEventClass::ProcessEventEntry(veltrane::VXTEventDetail::SinkBase* self,
                                                                 const void* event, veltrane::EventSource* source) {
    try {
        return static_cast<Corvanis_PlayerUpdateEventClass*>(self)->ProcessEvent(
            static_cast<const veltrane::PlayerUpdateEvent*>(event), source);
    } catch (...) {
        return veltrane::kNotifyContinue;
    }
}

}  // namespace Corvanis
