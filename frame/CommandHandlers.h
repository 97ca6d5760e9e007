// The work of the plug-in's three console commands. The frame calls each as
// the game's execute handler: it runs the shared preamble first and keeps
// every exception from reaching the game.
#pragma once

#include "frame/CommandPreamble.h"

namespace Corvanis {

struct CommandWork {
    // Starts each of the command's messages, as in "ExportShipRef: ERROR: ...".
    const char* messagePrefix;
    // The command's own work once the preamble has passed; true on success.
    bool (*run)(const CommandInput& input);
    // Printed under the prefix when the command ends in an exception; null
    // when nothing is printed then.
    const char* failureText;
};

extern const CommandWork kExportShipWork;
extern const CommandWork kImportShipLayoutWork;
extern const CommandWork kImportShipInteriorWork;

}  // namespace Corvanis
