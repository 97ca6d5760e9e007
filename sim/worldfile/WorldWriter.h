// Writes the running game's world as a world file: what a world file gave, and
// everything plug-ins changed since. Keys and numbers are written the same way
// every time, so a dump that is loaded and dumped again gives the same text.
#pragma once

#include <string>

#include "sim/GameState.h"
#include "sim/worldfile/Json.h"

namespace sim {

std::string WriteWorldText(const GameState& game);
// The same before it becomes text, for in-process checks that would only
// parse the text again.
Json WriteWorldJson(const GameState& game);

}  // namespace sim
