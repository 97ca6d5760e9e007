#include "sim/loader/ListenerRegistry.h"

#include <algorithm>

namespace sim::loader {

void ListenerRegistry::Add(orbx::PluginHandle plugin, const char* sender,
                           orbx::MessageListener listener) {
    entries_.push_back({plugin, sender, listener});
}

void ListenerRegistry::RemovePlugin(orbx::PluginHandle plugin) {
    std::erase_if(entries_, [plugin](const Entry& entry) { return entry.plugin == plugin; });
}

void ListenerRegistry::Deliver(const char* sender, std::uint32_t type) const {
    const std::size_t count = entries_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (entries_[i].sender != sender) continue;
        // Each listener gets a record of its own: one that writes into its
        // message cannot change what the next one reads.
        orbx::Message message{sender, type, 0, nullptr};
        entries_[i].listener(&message);
    }
}

}  // namespace sim::loader
