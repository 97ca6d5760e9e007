// The message listeners plug-ins registered, and the delivery of messages to
// them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/loader_interface.h"

namespace sim::loader {

class ListenerRegistry {
public:
    void Add(orbx::PluginHandle plugin, const char* sender, orbx::MessageListener listener);

    // Forgets the plug-in's listeners: it gets no more messages.
    void RemovePlugin(orbx::PluginHandle plugin);

    // Calls every listener registered for the sender with a message of the
    // type and no data, in the order they were registered. A listener that
    // registers another one during delivery does not call it for this message.
    void Deliver(const char* sender, std::uint32_t type) const;

private:
    struct Entry {
        orbx::PluginHandle plugin;
        std::string sender;
        orbx::MessageListener listener;
    };
    std::vector<Entry> entries_;
};

}  // namespace sim::loader
