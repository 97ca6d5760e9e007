// The ImportShipLayout console command. Its messages carry the prefix
// "ImportShipLayout".
#pragma once

#include "frame/CommandWork.h"

namespace Corvanis {

extern const CommandWork kImportShipLayoutWork;

}  // namespace Corvanis
