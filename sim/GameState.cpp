#include "sim/GameState.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/GameInterface.h"
#include "sim/console/GameCommands.h"
#include "sim/worldfile/DefaultWorld.h"
#include "sim/worldfile/WorldReader.h"

namespace sim {

namespace {

// Never destroyed: plug-ins may call into the game while the process ends.
GameState* Boot() {
    auto* game = new GameState;
    RegisterBuiltInCommands();
    std::string error;
    auto contents = ReadWorldText(DefaultWorldText(), "default world", error);
    if (!contents) {
        std::fprintf(stderr, "veltrane: the default world does not load: %s\n", error.c_str());
        std::abort();
    }
    ActivateWorld(*game, std::move(*contents));
    return game;
}

}  // namespace

GameState& TheGame() {
    static GameState* const game = Boot();
    return *game;
}

World& TheWorld() { return *TheGame().world; }

void ActivateWorld(GameState& game, WorldContents contents) {
    game.world = std::move(contents.world);
    game.globals = contents.globals;
    game.tables.Build(contents.scriptTable, contents.consoleTable);
    RefreshGameInterface(game);
}

}  // namespace sim
