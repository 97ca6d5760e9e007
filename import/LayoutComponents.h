// The applying phase of a layout import: what a blueprint held replaces the
// components of the home ship's base form and the ship's displayed name.
#pragma once

#include "host/host.h"
#include "import/reading/LayoutAccumulator.h"

namespace Corvanis {

// Each component the base form has is replaced whole: what the blueprint had
// no line for is reset to its empty value. A component that fails midway
// keeps what was written and the next one follows. `fVersion` is the
// blueprint's version: below 2.00 a module's unk3C is the one byte older
// blueprints hold.
void ImportLayoutComponents(host::Form* theShipForm, host::Form* theShipRef, const LayoutAccumulator& layout,
                            float fVersion);

}  // namespace Corvanis
