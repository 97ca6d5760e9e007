// The plug-in's identity as the loader and the window title read it.
#pragma once

#include <cstdint>

#include "frame/startup/SymbolExport.h"
#include "host/loader_interface.h"

namespace Corvanis {

// From the project's version in the build.
constexpr std::uint32_t kVersionMajor = CORVANIS_VERSION_MAJOR;
constexpr std::uint32_t kVersionMinor = CORVANIS_VERSION_MINOR;

}  // namespace Corvanis

extern "C" {
CORVANIS_EXPORT extern const orbx::PluginVersionData ORBXPlugin_Version;
}
