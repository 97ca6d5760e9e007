#include "import/ImportShipInterior.h"

namespace Corvanis {

namespace {

constexpr const char* kPrefix = "ImportShipInterior";
constexpr const char* kFailureText = "ship interior couldn't be imported.";

bool RunImportShipInterior(const CommandInput&) {
    PrintCommandError(kPrefix, "importing ship interiors is not available in this version.");
    return false;
}

}  // namespace

const CommandWork kImportShipInteriorWork{kPrefix, &RunImportShipInterior, kFailureText};

}  // namespace Corvanis
