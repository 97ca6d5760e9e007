// The records a plug-in is handed: the load interface passed to
// ORBXPlugin_Load and the messaging interface it queries from it. Their
// functions are plain C functions; they answer for the process's one loader.
#pragma once

#include "host/loader_interface.h"

namespace sim::loader {

// What the records' functions ask of the loader.
class LoaderServices {
public:
    virtual ~LoaderServices() = default;
    // The plug-in whose ORBXPlugin_Load is running; 0 when none is.
    virtual orbx::PluginHandle LoadingPlugin() const = 0;
    virtual bool RegisterListener(orbx::PluginHandle plugin, const char* sender,
                                  orbx::MessageListener listener) = 0;
};

constexpr std::uint32_t kLoaderVersion = 0x01000000;
constexpr std::uint32_t kMessagingInterfaceVersion = 1;

// The load interface, answering for `services` from now on; null detaches it.
const orbx::LoadInterface* AttachLoadInterface(LoaderServices* services);

}  // namespace sim::loader
