#include "tests/support/probe_host.h"

#include <cstdio>

#include "frame/SymbolExport.h"
#include "host/game_interface.h"

namespace corvanis_test {

namespace {

bool g_offerGame = true;
orbx::MessageListener g_listener = nullptr;

orbx::PluginHandle GetPluginHandle() {
    std::printf("plug-in handle asked for\n");
    return 7;
}

bool RegisterListener(orbx::PluginHandle plugin, const char* sender, orbx::MessageListener listener) {
    std::printf("listener registered for plug-in %u from sender %s\n", plugin, sender);
    g_listener = listener;
    return true;
}

orbx::MessagingInterface g_messaging{1, 0, RegisterListener};

void* QueryInterface(std::uint32_t id) {
    std::printf("interface %u asked for\n", id);
    return id == orbx::kInterfaceMessaging ? &g_messaging : nullptr;
}

const orbx::LoadInterface g_loader{1, orbx::kRuntime_1_15_216, 0, 0, QueryInterface, GetPluginHandle};

}  // namespace

void OfferGame(bool offered) { g_offerGame = offered; }

const orbx::LoadInterface& ProbeLoader() { return g_loader; }

orbx::MessageListener RegisteredListener() { return g_listener; }

}  // namespace corvanis_test

// Only the version and size matter to binding; the probes run no game
// operation.
extern "C" CORVANIS_EXPORT const veltrane::GameInterface* Veltrane_GetGameInterface() {
    static const veltrane::GameInterface game = [] {
        veltrane::GameInterface offered{};
        offered.version = veltrane::kGameInterfaceVersion;
        offered.size = sizeof offered;
        return offered;
    }();
    return corvanis_test::g_offerGame ? &game : nullptr;
}
