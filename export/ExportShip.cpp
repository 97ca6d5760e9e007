#include "frame/CommandHandlers.h"
#include "frame/CommandPreamble.h"

namespace Corvanis {

bool ExportShipHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject, void* script,
                       void* locals, void* result, void* opcodeOffset) {
    constexpr const char* kPrefix = "ExportShipRef";
    CommandInput input;
    if (!RunCommandPreamble(kPrefix,
                            {parameters, scriptData, thisObject, containingObject, script, locals, result, opcodeOffset},
                            input)) {
        return false;
    }
    PrintCommandError(kPrefix, "exporting ships is not available in this version.");
    return false;
}

}  // namespace Corvanis
