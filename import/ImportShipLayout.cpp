#include "import/ImportShipLayout.h"

namespace Corvanis {

namespace {

constexpr const char* kPrefix = "ImportShipLayout";

bool RunImportShipLayout(const CommandInput&) {
    PrintCommandError(kPrefix, "importing ship layouts is not available in this version.");
    return false;
}

}  // namespace

const CommandWork kImportShipLayoutWork{kPrefix, &RunImportShipLayout, nullptr};

}  // namespace Corvanis
