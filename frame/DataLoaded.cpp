#include "frame/DataLoaded.h"

namespace Corvanis {

// The command installation, the settings and the piloting patch join here, in
// that order, as they are built; until then the plug-in only waits.
void OnDataLoaded() {}

}  // namespace Corvanis
