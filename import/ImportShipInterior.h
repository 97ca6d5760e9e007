// The ImportShipInterior console command. Its messages carry the prefix
// "ImportShipInterior".
#pragma once

#include "frame/CommandWork.h"

namespace Corvanis {

extern const CommandWork kImportShipInteriorWork;

}  // namespace Corvanis
