// The running game: its world, the globals plug-ins read at every use, the
// command tables and the player update event source. There is one, made with
// the default world the first time anything asks for it.
#pragma once

#include <cstdint>
#include <memory>

#include "host/layouts/LoadedCells.h"
#include "sim/console/CommandTables.h"
#include "sim/events/PlayerUpdateSource.h"
#include "sim/world/World.h"

namespace sim {

// The game's global variables; plug-ins get their addresses.
struct GameGlobals {
    veltrane::Form* workshopKeyword = nullptr;
    veltrane::Form* workshopItemKeyword = nullptr;
    veltrane::Form* pilotingRequirementForm = nullptr;
    veltrane::CellManager* cellManager = nullptr;  // null: the game has none
    std::uint8_t readyFlag = 1;  // A: the game runs
    std::uint8_t busyFlag = 0;   // B: the game is busy
    bool menuOpen = false;       // answers the readiness query while set
};

// Everything a world file gives.
struct WorldContents {
    std::unique_ptr<World> world;
    GameGlobals globals;
    TableContents scriptTable{kDefaultScriptFirstOpcode, {}};
    TableContents consoleTable{kDefaultConsoleFirstOpcode, {}};
};

struct GameState {
    std::unique_ptr<World> world;
    GameGlobals globals;
    CommandTables tables;
    veltrane::EventSource playerUpdates;
};

GameState& TheGame();
World& TheWorld();

// Ends the running world as the game does when it quits: first checks that
// every fixed string is counted as often as the world holds it, then gives
// the world's memory back through the game's own frees.
void EndWorld(GameState& game);

// Replaces the world, the globals and the command tables. Event sinks stay.
void ActivateWorld(GameState& game, WorldContents contents);

}  // namespace sim
