// The plug-in's console commands: the one place that names the export and
// the imports together and hands them to the frame's installer.
#pragma once

#include "frame/commands/CommandTable.h"

namespace Corvanis {

const CommandTable& PluginCommands();

}  // namespace Corvanis
