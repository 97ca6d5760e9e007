// The execute handlers of the plug-in's three console commands, as the game
// calls them.
#pragma once

namespace Corvanis {

bool ExportShipHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject,
                       void* script, void* locals, void* result, void* opcodeOffset);
bool ImportShipLayoutHandler(void* parameters, void* scriptData, void* thisObject,
                             void* containingObject, void* script, void* locals, void* result,
                             void* opcodeOffset);
bool ImportShipInteriorHandler(void* parameters, void* scriptData, void* thisObject,
                               void* containingObject, void* script, void* locals, void* result,
                               void* opcodeOffset);

}  // namespace Corvanis
