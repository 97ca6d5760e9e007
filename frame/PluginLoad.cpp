#include "frame/PluginLoad.h"

#include "frame/FatalReport.h"
#include "frame/LoaderMessages.h"
#include "frame/PluginState.h"
#include "host/host.h"
#include "orbx_common/BranchTrampoline.h"

namespace Corvanis {

bool LoadPlugin(const orbx::LoadInterface* loader, std::uintptr_t gameBase, platform::MemorySystem& memory,
                const CommandTable& commands) {
    if (loader == nullptr) return false;
    g_plugin.handle = loader->GetPluginHandle();
    g_plugin.gameBase = gameBase;
    g_plugin.commands = &commands;
    // A game module whose interface cannot be bound is as unusable as none.
    if (gameBase == 0 || !host::Bind()) {
        ReportFatalError("ORBXPlugin_Load", 462, "Installation error: Veltrane.exe handle couldn't be acquired");
    }
    if (!g_branchTrampoline.Create(gameBase, memory)) ReportFatalError("ORBXPlugin_Load", 472, "alloc error");
    const auto* messaging =
        static_cast<const orbx::MessagingInterface*>(loader->QueryInterface(orbx::kInterfaceMessaging));
    if (messaging == nullptr) return false;
    messaging->RegisterListener(g_plugin.handle, "ORBX", OnLoaderMessage);
    return true;
}

}  // namespace Corvanis
