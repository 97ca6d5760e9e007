#include "frame/CommandHandlers.h"
#include "frame/CommandPreamble.h"

namespace Corvanis {

bool ImportShipInteriorHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject,
                               void* script, void* locals, void* result, void* opcodeOffset) {
    constexpr const char* kPrefix = "ImportShipInterior";
    CommandInput input;
    if (!RunCommandPreamble(kPrefix,
                            {parameters, scriptData, thisObject, containingObject, script, locals, result, opcodeOffset},
                            input)) {
        return false;
    }
    PrintCommandError(kPrefix, "importing ship interiors is not available in this version.");
    return false;
}

}  // namespace Corvanis
