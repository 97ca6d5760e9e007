// What one console command does once the shared preamble has passed, and how
// it speaks: the subsystem that owns the command provides it, the frame runs
// it.
#pragma once

#include "frame/commands/CommandPreamble.h"

namespace Corvanis {

struct CommandWork {
    // Starts each of the command's messages, as in "ExportShipRef: ERROR: ...".
    const char* messagePrefix;
    // The command's own work once the preamble has passed; true on success.
    bool (*run)(const CommandInput& input);
    // Printed under the prefix when the command ends in an exception.
    const char* failureText;
};

}  // namespace Corvanis
