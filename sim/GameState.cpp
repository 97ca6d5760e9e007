#include "sim/GameState.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/layouts/StringsAndArrays.h"
#include "sim/GameInterface.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/ConsoleText.h"
#include "sim/console/GameCommands.h"
#include "sim/memory/FixedStrings.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/Components.h"
#include "sim/worldfile/DefaultWorld.h"
#include "sim/worldfile/WorldReader.h"

namespace sim {

namespace {

// Names the record of the running world's components that points to the
// memory: the component record itself, or a block it holds.
std::string RecordPointingTo(const World* world, const void* memory) {
    if (world == nullptr) return "";
    std::string holder;
    for (const veltrane::Form* form : world->FormsOfKind(FormKind::Plain)) {
        for (const ComponentInstance& component : form->components) {
            const std::string owner = Label(form) + "'s " + component.type->name;
            if (component.record == memory) return owner;
            ForEachHeldBlock(*component.type, component.record,
                             [&](const void* block, const char* field, std::size_t index) {
                                 if (block != memory || !holder.empty()) return;
                                 holder = owner + " " + field;
                                 if (index != kNoIndex) holder += "[" + std::to_string(index) + "]";
                             });
            if (!holder.empty()) return holder;
        }
    }
    return "";
}

// How many strings of the running world's components hold the storage.
std::size_t FixedStringHolders(const World& world, const char* storage) {
    std::size_t holders = IsComponentTypeName(storage) ? 1 : 0;
    for (const veltrane::Form* form : world.FormsOfKind(FormKind::Plain)) {
        for (const ComponentInstance& component : form->components) {
            for (const FieldDesc& field : component.type->scalarFields) {
                if (field.kind == FieldKind::String &&
                    FieldAt<veltrane::FixedString>(component.record, field).data == storage) {
                    ++holders;
                }
            }
        }
    }
    return holders;
}

// Never destroyed: plug-ins may call into the game while the process ends.
GameState* Boot() {
    auto* game = new GameState;
    HoldComponentTypeNames();
    SetMemoryHolderQuery([game](const void* memory) { return RecordPointingTo(game->world.get(), memory); });
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

void EndWorld(GameState& game) {
    if (game.world == nullptr) return;
    const World& world = *game.world;
    for (const std::string& problem :
         MiscountedFixedStrings([&](const char* storage) { return FixedStringHolders(world, storage); })) {
        ReportGameError(problem);
    }
    game.world.reset();
}

void ActivateWorld(GameState& game, WorldContents contents) {
    game.world = std::move(contents.world);
    game.globals = contents.globals;
    game.tables.Build(contents.scriptTable, contents.consoleTable);
    RefreshGameInterface(game);
}

}  // namespace sim
