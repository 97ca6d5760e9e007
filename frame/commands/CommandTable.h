// The console commands the plug-in installs, as the installer is handed them.
#pragma once

#include <array>
#include <cstddef>

#include "host/layouts/CommandTables.h"

namespace Corvanis {

struct CommandDefinition {
    const char* longName;  // the word typed on the console
    const char* helpText;
    veltrane::CommandExecuteFn handler;
};

inline constexpr std::size_t kCommandCount = 3;

// In the order the commands are installed.
using CommandTable = std::array<CommandDefinition, kCommandCount>;

}  // namespace Corvanis
