#include "frame/startup/PluginTitle.h"

#include <algorithm>
#include <iterator>

#include "frame/startup/PluginVersion.h"

namespace Corvanis {

std::string PluginTitle() {
    // The numbers come from the record the loader reads, so the title cannot
    // claim another version than the loader sees.
    const auto* record = reinterpret_cast<const unsigned char*>(&ORBXPlugin_Version);
    const unsigned major = record[7];
    const unsigned minor = record[6];
    const char* name = ORBXPlugin_Version.name;
    const char* nameEnd = std::find(name, std::end(ORBXPlugin_Version.name), '\0');
    return std::string(name, nameEnd) + " v" + std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace Corvanis
