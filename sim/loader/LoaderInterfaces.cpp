#include "sim/loader/LoaderInterfaces.h"

#include "sim/loader/VersionCheck.h"

namespace sim::loader {

namespace {

LoaderServices* theServices = nullptr;

orbx::PluginHandle GetPluginHandle() {
    return theServices != nullptr ? theServices->LoadingPlugin() : 0;
}

bool RegisterListener(orbx::PluginHandle plugin, const char* sender,
                      orbx::MessageListener listener) {
    return theServices != nullptr && theServices->RegisterListener(plugin, sender, listener);
}

orbx::MessagingInterface theMessagingInterface = {
    kMessagingInterfaceVersion,
    0,
    RegisterListener,
};

void* QueryInterface(std::uint32_t id) {
    return id == orbx::kInterfaceMessaging ? &theMessagingInterface : nullptr;
}

const orbx::LoadInterface theLoadInterface = {
    kLoaderVersion, kGameRuntime, 0, 0, QueryInterface, GetPluginHandle,
};

}  // namespace

const orbx::LoadInterface* AttachLoadInterface(LoaderServices* services) {
    theServices = services;
    return &theLoadInterface;
}

}  // namespace sim::loader
