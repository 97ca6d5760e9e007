#include "plugin/PluginCommands.h"

#include "export/ExportShip.h"
#include "frame/commands/CommandExecution.h"
#include "import/ImportShipInterior.h"
#include "import/ImportShipLayout.h"

namespace Corvanis {

namespace {

constexpr CommandTable kPluginCommands = {{
    {"ExportShip", "Exports a Spaceship (implemented by Corvanis - ORBX Plugin by Pellimor)",
     &CommandHandler<kExportShipWork>},
    {"ImportShipLayout", "Imports Spaceship layout (implemented by Corvanis - ORBX Plugin by Pellimor)",
     &CommandHandler<kImportShipLayoutWork>},
    {"ImportShipInterior",
     "Imports Spaceship interior decoration items (implemented by Corvanis - ORBX Plugin by Pellimor)",
     &CommandHandler<kImportShipInteriorWork>},
}};

}  // namespace

const CommandTable& PluginCommands() { return kPluginCommands; }

}  // namespace Corvanis
