#pragma once

#include <string>

namespace Corvanis {

// The plug-in's name and version as a window shows them: "<name> v3.1".
std::string PluginTitle();

}  // namespace Corvanis
