// The table of game operations the executable exports to plug-ins as
// `Veltrane_GetGameInterface`.
#pragma once

#include "host/game_interface.h"

namespace sim {

struct GameState;

const veltrane::GameInterface& GameInterfaceTable();

// Points the table at the game's current world and command tables.
void RefreshGameInterface(GameState& game);

}  // namespace sim

extern "C"
#if defined(_WIN32)
    __declspec(dllexport)
#else
    __attribute__((visibility("default")))
#endif
    const veltrane::GameInterface* Veltrane_GetGameInterface();
