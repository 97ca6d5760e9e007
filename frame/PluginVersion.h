// The plug-in's identity as the loader and the window title read it.
#pragma once

#include <cstdint>

#include "frame/SymbolExport.h"
#include "host/loader_interface.h"

namespace Corvanis {

constexpr std::uint32_t kVersionMajor = 3;
constexpr std::uint32_t kVersionMinor = 1;

}  // namespace Corvanis

extern "C" {
CORVANIS_EXPORT extern const orbx::PluginVersionData ORBXPlugin_Version;
}
