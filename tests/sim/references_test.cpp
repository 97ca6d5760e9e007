// References as plug-ins make, find, link, rename and remove them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/ReferenceCreation.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"
#include "sim/memory/GameMemory.h"
#include "tests/support/GameErrors.h"

namespace {

using veltrane::CreateReferenceRequest;
using veltrane::Form;

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

const char* kDeckWorld = R"({
  "format": "veltrane-world 1",
  "files": [{"name": "Veltrane.vmf"}],
  "game": {"workshopKeyword": "WorkshopKeyword", "workshopItemKeyword": "WorkshopItemKeyword"},
  "player": {"reference": "Veltrane.vmf:000014", "shipReference": "@Ship"},
  "forms": [
    {"id": "Veltrane.vmf:000007", "type": 50, "editorID": "PlayerBase"},
    {"id": "Veltrane.vmf:054BA6", "type": 4, "editorID": "WorkshopKeyword"},
    {"id": "Veltrane.vmf:054BA4", "type": 4, "editorID": "WorkshopItemKeyword"},
    {"id": "Veltrane.vmf:000800", "type": 40, "editorID": "Crate", "name": "Crate"},
    {"id": "Veltrane.vmf:000801", "type": 47, "editorID": "Chair", "name": "Chair"},
    {"id": "Veltrane.vmf:000802", "type": 40, "editorID": "Relic", "placement": "refused"},
    {"id": "Veltrane.vmf:000803", "type": 40, "editorID": "Ghost", "placement": "vanishes"},
    {"id": "Veltrane.vmf:000804", "type": 47, "editorID": "Bench", "keywords": ["WorkshopKeyword"]},
    {"id": "Veltrane.vmf:000805", "type": 49, "editorID": "Charges", "name": "Charges", "placement": "withoutExtraData"},
    {"id": "Veltrane.vmf:000810", "type": 65, "editorID": "ShipBase"}
  ],
  "cells": [
    {"id": "@Deck", "interior": true, "references": ["Veltrane.vmf:000014", "@Bench", "@Chair"]},
    {"id": "@Yard", "interior": false, "references": ["@Ship"]}
  ],
  "references": [
    {"id": "Veltrane.vmf:000014", "type": 75, "base": "PlayerBase"},
    {"id": "@Ship", "base": "ShipBase", "interior": "@Deck"},
    {"id": "@Bench", "base": "Bench", "position": [3.0, 4.0, 0.0]},
    {"id": "@Chair", "base": "Chair", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Bench"}]}}
  ]
})";

class References : public ::testing::Test {
protected:
    void SetUp() override { simtest::LoadWorldText(kDeckWorld); }

    static Form* ByID(std::uint32_t id) { return Game().LookupFormByID(id); }
    static Form* Ship() { return Game().ActorGetShipRef(Game().GetPlayerCharacter()); }
    static Form* Deck() { return Game().RefGetParentCell(Game().GetPlayerCharacter()); }
    static Form* Slot(Form* cell, std::uint32_t index) {
        std::uint32_t count = 0;
        Form* const* slots = Game().CellGetReferences(cell, &count);
        return index < count ? slots[index] : nullptr;
    }
    static std::uint32_t SlotCount(Form* cell) {
        std::uint32_t count = 0;
        Game().CellGetReferences(cell, &count);
        return count;
    }

    static CreateReferenceRequest Request(Form* base, Form* cell, Form* ship) {
        CreateReferenceRequest request{};
        request.recordMarker = Game().createReferenceMarker;
        request.position[0] = 1.0f;
        request.position[1] = 2.0f;
        request.position[2] = 3.0f;
        request.rotation[2] = 3.1415927f;
        request.scale = 1.5f;
        request.baseObject = base;
        request.cell = cell;
        request.parentShip = ship;
        request.flag8C = 1;
        request.flag8D = 1;
        request.one98 = 1;
        return request;
    }
};

TEST_F(References, ARequestWithAParentShip_PlacesTheReferenceAtTheEndOfTheShipsInterior) {
    const CreateReferenceRequest request = Request(ByID(0x800), nullptr, Ship());
    const std::uint32_t handle = Game().CreateReference(&request);
    ASSERT_NE(handle, 0u);
    Form* made = Game().ReferenceFromHandle(handle);
    ASSERT_NE(made, nullptr);
    Game().ReleaseReference(made);

    EXPECT_EQ(Game().FormGetID(made), 0xFF000805u);
    EXPECT_EQ(Game().FormGetStoredType(made), veltrane::kFormTypeObjectReference);
    EXPECT_EQ(Game().RefGetBaseObject(made), ByID(0x800));
    EXPECT_EQ(Game().RefGetParentCell(made), Deck());
    EXPECT_EQ(SlotCount(Deck()), 4u);
    EXPECT_EQ(Slot(Deck(), 3), made);
    float position[3], rotation[3];
    Game().RefGetPosition(made, position);
    Game().RefGetRotation(made, rotation);
    EXPECT_EQ(std::vector<float>(position, position + 3), (std::vector<float>{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(rotation[2], 3.1415927f);
    EXPECT_EQ(Game().RefGetScale(made), 150);
    EXPECT_NE(Game().RefGetExtraDataList(made), nullptr);
    EXPECT_STREQ(Game().FormGetDisplayName(made), "Crate");
    EXPECT_FLOAT_EQ(Game().GetDistance(made, ByID(0xFF000803), 0), std::sqrt(2.0f * 2.0f + 2.0f * 2.0f + 3.0f * 3.0f));

    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.memory").front().substr(console.lines.front().rfind(", ") + 2),
              "0 references held by handle");
}

TEST_F(References, ARequestWhoseReferenceFindsNoMemory_MakesNothing_AndTakesNoFormID) {
    const CreateReferenceRequest request = Request(ByID(0x800), nullptr, Ship());
    simtest::ConsoleCapture console;
    sim::FailGameAllocation(1);
    EXPECT_EQ(Game().CreateReference(&request), 0u);
    EXPECT_EQ(SlotCount(Deck()), 3u);
    const std::uint32_t handle = Game().CreateReference(&request);
    Form* made = Game().ReferenceFromHandle(handle);
    EXPECT_EQ(Game().FormGetID(made), 0xFF000805u);
    Game().ReleaseReference(made);
    EXPECT_EQ(console.lines, std::vector<std::string>{});
}

TEST_F(References, MalformedRequests_AreRefusedWithTheGamesReason) {
    struct Case {
        std::function<void(CreateReferenceRequest&)> spoil;
        std::string line;
    };
    const Case cases[] = {
        {[](auto& r) { r.recordMarker += 8; }, "Game error: CreateReference refused: the record marker is not the game's"},
        {[](auto& r) { r.flag8D = 0; }, "Game error: CreateReference refused: the flags at 140 and 141 are not 1"},
        {[](auto& r) { r.one98 = 2; }, "Game error: CreateReference refused: the value at 152 is not 1"},
        {[](auto& r) { r.rotation[1] = std::nanf(""); },
         "Game error: CreateReference refused: a position, rotation or scale is not finite"},
        {[](auto& r) { r.zero50[20] = 1; }, "Game error: CreateReference refused: a byte that must be 0 is not"},
        {[](auto& r) { r.zero2C = -0.0f; }, "Game error: CreateReference refused: a float that must be 0.0 is not"},
        {[](auto& r) { r.cell = Deck(); }, "Game error: CreateReference refused: both a cell and a parent ship are given"},
        {[](auto& r) { r.parentShip = nullptr; },
         "Game error: CreateReference refused: neither a cell nor a parent ship is given"},
        {[](auto& r) { r.parentShip = ByID(0xFF000803); },
         "Game error: CreateReference refused: the parent ship is not a ship reference with an interior"},
        {[](auto& r) { r.baseObject = ByID(0x54BA6); },
         "Game error: CreateReference refused: the base object is not a bound object"},
    };
    simtest::ConsoleCapture console;
    corvanis_test::ExpectedGameErrors expected;
    for (const Case& c : cases) {
        CreateReferenceRequest request = Request(ByID(0x800), nullptr, Ship());
        c.spoil(request);
        console.lines.clear();
        EXPECT_EQ(Game().CreateReference(&request), 0u) << c.line;
        EXPECT_EQ(console.lines, std::vector<std::string>{c.line});
    }
    EXPECT_EQ(SlotCount(Deck()), 3u);
}

TEST_F(References, ABaseTheGameRefuses_GivesNoHandle_AndOneThatVanishes_AHandleWithoutReference) {
    simtest::ConsoleCapture console;
    const CreateReferenceRequest refused = Request(ByID(0x802), Deck(), nullptr);
    EXPECT_EQ(Game().CreateReference(&refused), 0u);
    const CreateReferenceRequest vanishing = Request(ByID(0x803), Deck(), nullptr);
    const std::uint32_t handle = Game().CreateReference(&vanishing);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(Game().ReferenceFromHandle(handle), nullptr);
    EXPECT_TRUE(console.lines.empty());
}

TEST_F(References, ABaseThatComesWithoutExtraData_GivesAReferenceWithoutAList_ThatTheConsoleAndADumpShow) {
    const CreateReferenceRequest request = Request(ByID(0x805), Deck(), nullptr);
    Form* made = Game().ReferenceFromHandle(Game().CreateReference(&request));
    ASSERT_NE(made, nullptr);
    Game().ReleaseReference(made);
    EXPECT_EQ(Game().RefGetExtraDataList(made), nullptr);
    EXPECT_STREQ(Game().FormGetDisplayName(made), "Charges");
    {
        corvanis_test::ExpectedGameErrors expected;
        Game().RefSetDisplayNameOverride(made, Game().RefGetExtraDataList(made), "Spare Charges");
        EXPECT_EQ(expected.texts, std::vector<std::string>{"RefSetDisplayNameOverride was handed no extra data"});
    }
    EXPECT_STREQ(Game().FormGetDisplayName(made), "Charges");

    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.cell").back(),
              "[3] FF000805: base 00000805 Charges (49 AMMU) at (1, 2, 3), rotation (0, 0, 3.1415927), scale 150, "
              "no extra data");
    const std::string dump = sim::DumpWorldToText();
    simtest::LoadWorldText(dump);
    EXPECT_EQ(sim::DumpWorldToText(), dump);
    EXPECT_EQ(Game().RefGetExtraDataList(ByID(0xFF000805)), nullptr);
    EXPECT_EQ(console.Run("sim.form Charges").back(),
              "00000805 Charges: type 49 AMMU, name \"Charges\", files 0 [Veltrane.vmf], keywords none, placed without "
              "extra data");
}

TEST_F(References, TheCellListing_ShowsEachReferencesRotationScaleNameAndLinks) {
    Form* chair = ByID(0xFF000804);
    Game().RefSetLinkedRef(chair, Ship(), nullptr, false);
    Game().RefSetDisplayNameOverride(chair, Game().RefGetExtraDataList(chair), "Captain's Chair");
    simtest::ConsoleCapture console;
    EXPECT_EQ(console.Run("sim.cell @Deck"),
              (std::vector<std::string>{
                  "FF000800 @Deck (interior): 3 reference slots",
                  "[0] 00000014: base 00000007 PlayerBase (50 NPC_) at (0, 0, 0), rotation (0, 0, 0), scale 100",
                  "[1] FF000803 @Bench: base 00000804 Bench (47 FURN) at (3, 4, 0), rotation (0, 0, 0), scale 100",
                  "[2] FF000804 @Chair: base 00000801 Chair (47 FURN) at (0, 0, 0), rotation (0, 0, 0), scale 100, "
                  "named \"Captain's Chair\", linked to FF000803 @Bench under 00054BA4 WorkshopItemKeyword (persist), "
                  "linked to FF000802 @Ship under none (no persist)",
              }));
}

TEST_F(References, ARemovedWorkshopItem_LeavesAnEmptySlotAndAfterCleanUpNoLinks) {
    Form* chair = ByID(0xFF000804);
    Form* bench = ByID(0xFF000803);
    ASSERT_EQ(Game().RefGetLinkedRef(chair, Game().LookupFormByID(0x54BA4)), bench);
    Game().RemoveReference(chair);
    EXPECT_EQ(Slot(Deck(), 2), nullptr);
    EXPECT_EQ(SlotCount(Deck()), 3u);
    EXPECT_EQ(ByID(0xFF000804), nullptr);
    EXPECT_EQ(Game().RefGetBaseObject(chair), ByID(0x801)) << "the object lives on for whoever holds it";
    Game().RemovedWorkshopItemCleanup(chair, 0);
    EXPECT_EQ(Game().RefGetLinkedRef(chair, Game().LookupFormByID(0x54BA4)), nullptr);

    const std::string dump = sim::DumpWorldToText();
    EXPECT_NE(dump.find(R"("references": ["Veltrane.vmf:000014", "@Bench", null])"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find(R"("removed": true,)" "\n" R"(      "workshopCleanup": true)"), std::string::npos) << dump;
    simtest::LoadWorldText(dump);
    EXPECT_EQ(sim::DumpWorldToText(), dump);
    EXPECT_EQ(ByID(0xFF000804), nullptr);
}

TEST_F(References, TheCleanUpAfterARemoval_DropsEveryLinkThatStillLeadsToIt_WhereverTheLinkWasMade) {
    Form* bench = ByID(0xFF000803);
    Form* chair = ByID(0xFF000804);
    Form* player = Game().GetPlayerCharacter();
    Form* itemKeyword = ByID(0x54BA4);
    Form* otherKeyword = ByID(0x54BA6);
    // Made while the game runs: one link to the bench, one moved from the
    // bench to the chair, one to the bench replaced by none.
    Game().RefSetLinkedRef(Ship(), bench, itemKeyword, true);
    Game().RefSetLinkedRef(player, bench, itemKeyword, true);
    Game().RefSetLinkedRef(player, chair, itemKeyword, true);
    Game().RefSetLinkedRef(player, bench, otherKeyword, true);
    Game().RefSetLinkedRef(player, nullptr, otherKeyword, true);

    Game().RemoveReference(bench);
    Game().RemovedWorkshopItemCleanup(bench, 0);
    EXPECT_EQ(Game().RefGetLinkedRef(chair, itemKeyword), nullptr);
    EXPECT_EQ(Game().RefGetLinkedRef(Ship(), itemKeyword), nullptr);
    EXPECT_EQ(Game().RefGetLinkedRef(player, itemKeyword), chair);
}

TEST_F(References, AReferenceRemovedAfterAnotherLeftItsCell_EmptiesItsOwnSlot) {
    Form* deck = Deck();
    sim::RunConsoleLine("sim.leave");
    Game().RemoveReference(ByID(0xFF000804));
    EXPECT_EQ(SlotCount(deck), 2u);
    EXPECT_EQ(Slot(deck, 0), ByID(0xFF000803));
    EXPECT_EQ(Slot(deck, 1), nullptr);
}

TEST_F(References, LinksAndNames_AreKeptInTheExtraDataList) {
    Form* bench = ByID(0xFF000803);
    Form* keyword = ByID(0x54BA4);
    Form* player = Game().GetPlayerCharacter();
    EXPECT_EQ(Game().RefGetLinkedRef(player, keyword), nullptr);
    Game().RefSetLinkedRef(player, bench, keyword, true);
    EXPECT_EQ(Game().RefGetLinkedRef(player, keyword), bench);
    Game().RefSetLinkedRef(player, nullptr, keyword, true);
    EXPECT_EQ(Game().RefGetLinkedRef(player, keyword), nullptr);

    veltrane::ExtraDataList* extra = Game().RefGetExtraDataList(bench);
    EXPECT_EQ(Game().ExtraGetOverrideName(extra), nullptr);
    Game().RefSetDisplayNameOverride(bench, extra, "Captain's Bench");
    EXPECT_STREQ(Game().ExtraGetOverrideName(extra), "Captain's Bench");
    EXPECT_STREQ(Game().FormGetDisplayName(bench), "Captain's Bench");
    EXPECT_TRUE(Game().RefHasKeyword(bench, ByID(0x54BA6))) << "through its base";
    EXPECT_FALSE(Game().RefHasKeyword(bench, nullptr));
}

TEST_F(References, ReleasingMoreOftenThanHandedOut_IsReported) {
    const CreateReferenceRequest request = Request(ByID(0x800), Deck(), nullptr);
    Form* made = Game().ReferenceFromHandle(Game().CreateReference(&request));
    ASSERT_NE(made, nullptr);
    Game().ReleaseReference(made);
    simtest::ConsoleCapture console;
    corvanis_test::ExpectedGameErrors expected;
    Game().ReleaseReference(made);
    EXPECT_EQ(console.lines, (std::vector<std::string>{
                                 "Game error: ReleaseReference was called more often than the reference was handed out"}));
}

}  // namespace
