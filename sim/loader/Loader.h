// The script-extender loader: maps the plug-ins, checks their version
// records, calls their load functions and sends them its messages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/loader/ListenerRegistry.h"
#include "sim/loader/LoaderInterfaces.h"
#include "sim/loader/PluginLibrary.h"

namespace sim::loader {

// The sender name of the loader's own messages.
constexpr const char* kLoaderSender = "ORBX";

struct Plugin {
    std::string fileName;
    std::string title;  // name and version from its version record
    orbx::PluginHandle handle;
    LibraryHandle library;
    // False once its load function returned false: it stays mapped, since
    // its code may already be referenced, but gets no messages.
    bool active;
};

class Loader final : public LoaderServices {
public:
    // The process has one loader: the interfaces handed to plug-ins answer
    // for this one while it lives.
    Loader();
    ~Loader() override;
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    // Loads the files in order and prints one boot line for each on standard
    // output. A plug-in that is refused is unmapped and the next one loads.
    void LoadPlugins(const std::vector<std::filesystem::path>& files);

    // Sends a message of the type, without data, to the listeners of
    // active plug-ins registered for the loader's messages.
    void DeliverMessage(std::uint32_t type) const;

    // Every plug-in whose load function was called, in load order.
    const std::vector<Plugin>& Plugins() const { return plugins_; }

    orbx::PluginHandle LoadingPlugin() const override { return loading_; }
    bool RegisterListener(orbx::PluginHandle plugin, const char* sender,
                          orbx::MessageListener listener) override;

private:
    void LoadPlugin(const std::filesystem::path& file);
    // The reason to refuse the mapped module before calling it; empty when
    // it may be loaded.
    std::string Refusal(LibraryHandle library) const;
    bool IsActive(orbx::PluginHandle plugin) const;

    const orbx::LoadInterface* loadInterface_;
    std::vector<Plugin> plugins_;
    ListenerRegistry listeners_;
    orbx::PluginHandle loading_ = 0;
};

}  // namespace sim::loader
