#include "tools/blueprint/BlueprintReading.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/ShipDescription.h"
#include "tools/blueprint/ShipSvg.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

int RunRender(const std::string& file, const std::string& picture, std::ostream& out, std::ostream& err) {
    DataFileResolver forms;
    BlueprintReading reading;
    if (!ReadBlueprintFile(file, forms, reading)) {
        err << "corvanis-blueprint: cannot read " << file << "\n";
        return kExitError;
    }
    const ShipPicture ship{ShipName(reading), Modules(reading, forms), DecorationItems(reading, forms)};
    const std::string svg = ShipSvg(ship);
    if (!ReplaceFile(picture, svg)) {
        err << "corvanis-blueprint: cannot write " << picture << "\n";
        return kExitError;
    }
    out << "Wrote " << picture << ": " << ship.modules.size() << " modules and " << ship.items.size()
        << " decoration items, seen from the top, the side and the front.\n";
    if (!reading.problems.empty()) {
        out << "The importers refuse this blueprint (corvanis-blueprint check lists why); the picture shows what "
               "they read of it.\n";
    }
    return kExitClean;
}

}  // namespace blueprint_tool
