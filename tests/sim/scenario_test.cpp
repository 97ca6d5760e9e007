// The example playthroughs seen and changed the way a person and a plug-in
// would: through the console and through the exported game interface.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/CommandTables.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/ReferenceCreation.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"

namespace {

using veltrane::Form;

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

void LoadExample(const char* name) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorld(simtest::ExampleWorld(name), error)) << error;
}

template <class Component>
Component* FindComponent(Form* form) {
    veltrane::FixedString name{};
    Game().FixedStringMake(&name, Component::kTypeName);
    void* component = Game().FindComponent(form, &name, 0);
    Game().FixedStringRelease(&name);
    return static_cast<Component*>(component);
}

Form* PlayerShip() { return Game().GetShipPlayerIsIn(Game().GetPlayerCharacter(), true, nullptr, nullptr); }

TEST(Scenario, TheGameInterface_IsAmongTheExecutablesExports) {
#if defined(_WIN32)
    void* found = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), veltrane::kGameInterfaceExport));
#else
    void* self = dlopen(nullptr, RTLD_NOW);
    void* found = dlsym(self, veltrane::kGameInterfaceExport);
    dlclose(self);
#endif
    ASSERT_EQ(found, reinterpret_cast<void*>(&Veltrane_GetGameInterface));
    const veltrane::GameInterface* game = reinterpret_cast<veltrane::GetGameInterfaceFn>(found)();
    EXPECT_EQ(game->version, veltrane::kGameInterfaceVersion);
    EXPECT_EQ(game->size, sizeof(veltrane::GameInterface));
}

TEST(Scenario, TheDefaultWorld_OffersWhatThePlugInLooksUp) {
    sim::LoadDefaultWorld();
    const std::pair<std::uint32_t, std::uint8_t> fixed[] = {
        {0x5627, veltrane::kFormTypeKeyword},  {0x18DFD, veltrane::kFormTypeKeyword},
        {0x3413F3, veltrane::kFormTypeKeyword}, {0x33DB7A, veltrane::kFormTypeKeyword},
        {0xC55B1, veltrane::kFormTypeActorValueInfo}, {0x2CFCAC, 97},
    };
    for (const auto& [id, type] : fixed) EXPECT_EQ(Game().FormQueryType(Game().LookupFormByID(id)), type) << id;
    EXPECT_EQ(*Game().pilotingRequirementForm, Game().LookupFormByID(0x2CFCAC));
    std::size_t freeSlots = 0;
    for (const veltrane::CommandEntry* entry = Game().scriptCommands; entry->opcode < 0x13C0; ++entry) {
        freeSlots += entry->longName != nullptr && entry->execute == Game().placeholderHandler;
    }
    EXPECT_EQ(freeSlots, 3u);
    Form* home = Game().GetPlayerHomeShip();
    EXPECT_EQ(PlayerShip(), nullptr);
    EXPECT_GT(Game().FormGetID(Game().RefGetBaseObject(home)), 0xFEFFFFFFu);
    std::uint32_t count = 0;
    Form* const* interior = Game().CellGetReferences(Game().ShipGetInteriorCell(home), &count);
    ASSERT_EQ(count, 1u);
    EXPECT_TRUE(Game().RefHasKeyword(interior[0], *Game().workshopKeyword));
}

TEST(Scenario, TheStarterWorld_HasThePlayerAboardTheirHomeShip) {
    LoadExample("starter.json");
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.player"),
              (std::vector<std::string>{
                  "Player 00000014 in 01000A00 PathfinderInterior (interior) at (0, 10, 0.5); aboard FF000801 "
                  "@Pathfinder; home ship FF000801 @Pathfinder; ship reference FF000801 @Pathfinder; associated "
                  "cells [01000A00 PathfinderInterior]"}));
    EXPECT_EQ(console.Run("sim.ships"),
              (std::vector<std::string>{
                  "FF000801 @Pathfinder \"Pathfinder\": base 01000900 ShipPathfinder, interior 01000A00 "
                  "PathfinderInterior, home ship, player aboard",
                  "FF000802 @Seeker \"Seeker\": base 000A2100 ShipSeekerBase, interior FF000800 @SeekerInterior"}));
    EXPECT_EQ(console.Run("sim.pilotform"),
              (std::vector<std::string>{"Piloting requirement form: 002CFCAC PilotingSkill"}));
    EXPECT_EQ(Game().RefGetBaseObject(PlayerShip()), Game().LookupFormByID(0x01000900));
}

TEST(Scenario, LeavingAndBoarding_MovesThePlayerBetweenCellsAndShips) {
    LoadExample("starter.json");
    simtest::ConsoleCapture console;
    sim::RunConsoleLine("sim.leave");
    EXPECT_EQ(PlayerShip(), nullptr);
    sim::RunConsoleLine("sim.leave");
    sim::RunConsoleLine("sim.board LandingPad");
    sim::RunConsoleLine("sim.board @Seeker");
    Form* seeker = PlayerShip();
    EXPECT_EQ(Game().FormGetID(seeker), 0xFF000802u);
    EXPECT_EQ(Game().ActorGetShipRef(Game().GetPlayerCharacter()), seeker);
    EXPECT_TRUE(Game().CellIsInterior(Game().RefGetParentCell(Game().GetPlayerCharacter())));
    EXPECT_TRUE(Game().RefHasKeyword(seeker, Game().LookupFormByID(0x33DB7A)));
    sim::RunConsoleLine("sim.move 1 -2.5 3e1");
    float position[3];
    Game().RefGetPosition(Game().GetPlayerCharacter(), position);
    EXPECT_EQ(position[1], -2.5f);
    EXPECT_EQ(console.lines,
              (std::vector<std::string>{"The player leaves FF000801 @Pathfinder for 0000B000 LandingPad.",
                                        "sim.leave: the player is not aboard a ship",
                                        "sim.board: \"LandingPad\" is not a ship with an interior",
                                        "The player boards FF000802 @Seeker and stands in FF000800 @SeekerInterior.",
                                        "The player stands at (1, -2.5, 30)."}));
}

TEST(Scenario, TheSecondPlaythroughsHomeShip_WasMadeAtRunTimeAndMayBeChanged) {
    LoadExample("second-playthrough.json");
    Form* player = Game().GetPlayerCharacter();
    Form* home = Game().GetPlayerHomeShip();
    EXPECT_EQ(PlayerShip(), nullptr);
    EXPECT_EQ(Game().FormGetStoredType(Game().RefGetBaseObject(home)), veltrane::kFormTypeGenericBaseForm);
    EXPECT_GT(Game().FormGetID(Game().RefGetBaseObject(home)), 0xFEFFFFFFu);
    Form* notModifiable = Game().LookupFormByID(0x3413F3);
    EXPECT_EQ(Game().FormQueryType(notModifiable), veltrane::kFormTypeKeyword);
    EXPECT_FALSE(Game().RefHasKeyword(home, notModifiable));
    EXPECT_FALSE(Game().RefHasKeyword(home, Game().LookupFormByID(0x33DB7A)));
    EXPECT_EQ(Game().FormQueryType(Game().LookupFormByID(0xC55B1)), veltrane::kFormTypeActorValueInfo);
    EXPECT_EQ(*Game().pilotingRequirementForm, Game().LookupFormByID(0x2CFCAC));
    EXPECT_EQ(Game().FormQueryType(*Game().workshopKeyword), veltrane::kFormTypeKeyword);
    EXPECT_EQ(Game().FormQueryType(*Game().workshopItemKeyword), veltrane::kFormTypeKeyword);

    const veltrane::AssociatedCellIDs cells = Game().ActorGetAssociatedCellIDs(player);
    ASSERT_EQ(cells.count, 2u);
    EXPECT_EQ(Game().LookupFormByID(cells.formIDs[0]), Game().ShipGetInteriorCell(home));
    EXPECT_TRUE(Game().CellCheck(Game().LookupFormByID(cells.formIDs[0]), 0));
}

TEST(Scenario, WhatAPlugInChanges_IsInTheDumpAndLoadsBackExceptItsCommandSlot) {
    LoadExample("second-playthrough.json");
    Form* home = Game().GetPlayerHomeShip();
    Form* base = Game().RefGetBaseObject(home);

    auto* hull = FindComponent<veltrane::SpaceshipHullCodeComponent>(base);
    Game().FixedStringAssign(&hull->hullCode, "PF-0042");
    auto* blueprint = FindComponent<veltrane::BlueprintComponent>(base);
    blueprint->data.count = 0;
    veltrane::BlueprintPartRecord part{};
    part.fPosX = 0.1f;
    part.unk3C = 2.0f;
    part.item = Game().LookupFormByID(0x02000801);
    ASSERT_TRUE(Game().ArrayAppend(blueprint->data.Header(), &part, sizeof part));
    Game().RefSetDisplayNameOverride(home, Game().RefGetExtraDataList(home), "Pathfinder");
    *Game().pilotingRequirementForm = nullptr;

    veltrane::CreateReferenceRequest request{};
    request.recordMarker = Game().createReferenceMarker;
    request.scale = 1.0f;
    request.baseObject = Game().LookupFormByID(0xFE001802);
    request.parentShip = home;
    request.flag8C = request.flag8D = 1;
    request.one98 = 1;
    ASSERT_NE(Game().CreateReference(&request), 0u);

    veltrane::CommandEntry* slot = Game().scriptCommands + 1;
    ASSERT_EQ(slot->execute, Game().placeholderHandler);
    static veltrane::ParameterDefinition parameter{"asBlueprintName", 0, 0};
    slot->longName = "ExportShip";
    slot->shortName = "";
    slot->helpText = "Exports a Spaceship";
    slot->parameterCount = 1;
    slot->parameters = &parameter;
    slot->execute = [](void*, void*, void*, void*, void*, void*, void*, void*) { return true; };

    const std::string dump = sim::DumpWorldToText();
    for (const char* expected :
         {R"("pilotingRequirementForm": null,)", R"("QRNSpaceshipHullCode_Component": {"hullCode": "PF-0042"},)",
          R"("item": "Frontier.vmf:000801",)", R"("extra": {"name": "Pathfinder"},)",
          R"("id": "#FF00080B",)" "\n      " R"("base": "Trimwork.vmf:802",)",
          R"("references": ["@KestrelWorkbench", "@OldMug", "@OldCrate", "@OldBunk", "@KestrelPilotSeat", "#FF00080B"])",
          R"("nextRuntimeFormID": "FF00080C")"}) {
        EXPECT_NE(dump.find(expected), std::string::npos) << expected;
    }
    const std::string pluginEntry =
        R"({
          "plugin": "ExportShip",
          "short": "",
          "help": "Exports a Spaceship",
          "flags": 0,
          "parameters": [
            {"name": "asBlueprintName", "type": 0, "optional": 0}
          ]
        })";
    const std::size_t at = dump.find(pluginEntry);
    ASSERT_NE(at, std::string::npos) << dump;

    simtest::LoadWorldText(dump);
    std::string expected = dump;
    expected.replace(at, pluginEntry.size(), "\"free\"");
    EXPECT_EQ(sim::DumpWorldToText(), expected);
}

}  // namespace
