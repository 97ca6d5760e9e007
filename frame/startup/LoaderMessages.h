// The loader's messages to the plug-in.
#pragma once

#include "host/loader_interface.h"

namespace Corvanis {

// The listener registered with the loader.
void OnLoaderMessage(orbx::Message* message);

// Runs `onDataLoaded` for the loader's "game data loaded" message and does
// nothing for any other message. An exception from it ends in a diagnostic
// line, never in the loader.
void DispatchLoaderMessage(const orbx::Message* message, void (*onDataLoaded)());

}  // namespace Corvanis
