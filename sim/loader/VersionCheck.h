// What the loader reads from a plug-in's exported version record.
#pragma once

#include <cstdint>
#include <string>

#include "host/loader_interface.h"

namespace sim::loader {

// The runtime this game is.
constexpr std::uint32_t kGameRuntime = orbx::kRuntime_1_15_216;

// Why the loader refuses a plug-in with this record; empty when it accepts
// it. The record is read within its bounds whatever it holds.
std::string VersionRefusal(const orbx::PluginVersionData& record);

// "major.minor.build.sub" of a packed runtime version.
std::string RuntimeText(std::uint32_t runtime);

// The plug-in's name and its version as "major.minor", e.g.
// "Corvanis - ORBX Plugin by Pellimor 3.1".
std::string PluginTitle(const orbx::PluginVersionData& record);

}  // namespace sim::loader
