// The game and the loader as the probe programs play them: a game interface
// exported from the executable, and a load interface that reports every call
// on standard output.
#pragma once

#include "host/game_interface.h"
#include "host/loader_interface.h"

namespace corvanis_test {

// The game the probes offer: every operation there, the command tables full,
// no forms, and no call into it that start-up does not expect (an
// unexpected one says so on standard output). A probe may change it before
// the plug-in binds.
veltrane::GameInterface& ProbeGame();

// Whether the exported game interface answers at all.
void OfferGame(bool offered);

const orbx::LoadInterface& ProbeLoader();

// The listener the plug-in registered, or null.
orbx::MessageListener RegisteredListener();

}  // namespace corvanis_test
