#include "import/ImportShipLayout.h"

namespace Corvanis {

namespace {

constexpr const char* kPrefix = "ImportShipLayout";
constexpr const char* kFailureText = "ship layout couldn't be imported.";

bool RunImportShipLayout(const CommandInput&) {
    PrintCommandError(kPrefix, "importing ship layouts is not available in this version.");
    return false;
}

}  // namespace

const CommandWork kImportShipLayoutWork{kPrefix, &RunImportShipLayout, kFailureText};

}  // namespace Corvanis
