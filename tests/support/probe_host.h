// The game and the loader as the probe programs play them: a game interface
// exported from the executable, and a load interface that reports every call
// on standard output.
#pragma once

#include "host/loader_interface.h"

namespace corvanis_test {

// Whether the exported game interface answers at all.
void OfferGame(bool offered);

const orbx::LoadInterface& ProbeLoader();

// The listener the plug-in registered, or null.
orbx::MessageListener RegisteredListener();

}  // namespace corvanis_test
