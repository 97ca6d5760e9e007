#include "frame/startup/PluginLoad.h"

#include <string>

#include "frame/log/PluginLog.h"
#include "frame/piloting/TrampolineReports.h"
#include "frame/startup/FatalReport.h"
#include "frame/startup/LoaderMessages.h"
#include "frame/startup/PluginState.h"
#include "host/host.h"
#include "orbx_common/BranchTrampoline.h"

namespace Corvanis {

bool LoadPlugin(const orbx::LoadInterface* loader, std::uintptr_t gameBase, platform::MemorySystem& memory,
                const CommandTable& commands) {
    if (loader == nullptr) return false;
    g_plugin.handle = loader->GetPluginHandle();
    g_plugin.gameBase = gameBase;
    g_plugin.commands = &commands;
    if (gameBase == 0) {
        ReportFatalError("ORBXPlugin_Load", 462, "Installation error: Veltrane.exe handle couldn't be acquired");
    }
    // The game is there, but a build the plug-in was not made for would turn
    // the commands and the patch into silent failures or worse.
    if (const std::string mismatch = host::Bind(); !mismatch.empty()) {
        ReportFatalError("ORBXPlugin_Load", 465,
                         "Installation error: Veltrane.exe doesn't fit this plug-in (" + mismatch + ")");
    }
    StartPluginLog(loader->runtimeVersion);
    const TrampolineSearch trampoline = g_branchTrampoline.Create(gameBase, memory);
    ReportTrampolineSearch(trampoline);
    if (!trampoline.created) ReportFatalError("ORBXPlugin_Load", 472, "alloc error");
    const auto* messaging =
        static_cast<const orbx::MessagingInterface*>(loader->QueryInterface(orbx::kInterfaceMessaging));
    if (messaging == nullptr) return false;
    messaging->RegisterListener(g_plugin.handle, "ORBX", OnLoaderMessage);
    return true;
}

}  // namespace Corvanis
