#include "frame/startup/PluginState.h"

namespace Corvanis {

PluginState g_plugin;

}  // namespace Corvanis
