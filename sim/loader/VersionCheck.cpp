#include "sim/loader/VersionCheck.h"

#include <cstring>
#include <iterator>

namespace sim::loader {

namespace {

constexpr std::size_t kRuntimeSlots = std::size(orbx::PluginVersionData{}.compatibleVersions);

// The listed runtimes: up to the first zero or all slots when none is zero.
std::size_t RuntimeCount(const orbx::PluginVersionData& record) {
    std::size_t count = 0;
    while (count < kRuntimeSlots && record.compatibleVersions[count] != 0) ++count;
    return count;
}

std::string ListedRuntimes(const orbx::PluginVersionData& record, std::size_t count) {
    if (count == 0) return "no runtime";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0) text += ", ";
        text += RuntimeText(record.compatibleVersions[i]);
    }
    return text;
}

}  // namespace

std::string VersionRefusal(const orbx::PluginVersionData& record) {
    if (record.dataVersion != orbx::kVersionRecordFormat) {
        return "version record format " + std::to_string(record.dataVersion) + ", expected " +
               std::to_string(orbx::kVersionRecordFormat);
    }
    const std::size_t count = RuntimeCount(record);
    for (std::size_t i = 0; i < count; ++i) {
        if (record.compatibleVersions[i] == kGameRuntime) return {};
    }
    return "not built for runtime " + RuntimeText(kGameRuntime) + " (built for " +
           ListedRuntimes(record, count) + ")";
}

std::string RuntimeText(std::uint32_t runtime) {
    return std::to_string(runtime >> 24) + "." + std::to_string((runtime >> 16) & 0xFF) + "." +
           std::to_string((runtime >> 4) & 0xFFF) + "." + std::to_string(runtime & 0xF);
}

std::string PluginTitle(const orbx::PluginVersionData& record) {
    // A name that fills its field has no terminating zero.
    const void* end = std::memchr(record.name, 0, sizeof record.name);
    const std::size_t length =
        end != nullptr ? static_cast<const char*>(end) - record.name : sizeof record.name;
    std::string name(record.name, length);
    if (name.empty()) name = "(no name)";
    return name + " " + std::to_string(record.pluginVersion >> 24) + "." +
           std::to_string((record.pluginVersion >> 16) & 0xFF);
}

}  // namespace sim::loader
