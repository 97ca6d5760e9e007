#include "frame/commands/PlayerUpdateSink.h"

#include "frame/commands/CommandInstall.h"
#include "frame/commands/InstallRetry.h"
#include "host/host.h"
#include "host/layouts/PlayerUpdateEvents.h"
#include "platform/platform.h"

namespace Corvanis {

namespace {

constinit InstallRetry g_installRetry(&platform::SteadyNanoseconds, &InstallCommands);

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
    if (!AllCommandsInstalled() && GameIsReady()) g_installRetry.Notify();
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
