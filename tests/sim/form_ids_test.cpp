// Run-time form IDs follow the load order: the same file-local form gets
// another ID when the files load in another order, and the game resolves a
// (file, local ID) pair within the named file of the current load order.
#include <gtest/gtest.h>

#include <string>

#include "SimTestSupport.h"
#include "host/game_interface.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/StringsAndArrays.h"
#include "sim/Game.h"
#include "sim/GameInterface.h"
#include "sim/world/FormIDs.h"

namespace {

const veltrane::GameInterface& Game() { return *Veltrane_GetGameInterface(); }

veltrane::Form* InFile(const char* file, std::uint32_t localID) {
    veltrane::FixedString name{};
    Game().FixedStringMake(&name, file);
    veltrane::Form* form = Game().LookupFormByFileAndLocalID(&name, localID);
    Game().FixedStringRelease(&name);
    return form;
}

std::uint32_t IDInFile(const char* file, std::uint32_t localID) {
    return Game().FormGetID(InFile(file, localID));
}

const char* kFourSlotWorld = R"({
  "format": "veltrane-world 1",
  "files": [
    {"name": "Veltrane.vmf"}, {"name": "Light.vmf", "slot": "small"}, {"name": "Second.vmf"},
    {"name": "Mid.vmf", "slot": "medium"}, {"name": "Light2.vmf", "slot": "small"},
    {"name": "Mid2.vmf", "slot": "medium"}, {"name": "Third.vmf"}
  ],
  "player": null,
  "forms": [
    {"id": "Veltrane.vmf:000000", "type": 40, "editorID": "Nothing"},
    {"id": "Veltrane.vmf:01A2B3", "type": 40, "editorID": "Crate"},
    {"id": "Third.vmf:ABCDEF", "type": 40},
    {"id": "Light2.vmf:345", "type": 40},
    {"id": "Mid2.vmf:ABCD", "type": 40},
    {"id": "@Made", "type": 40}
  ]
})";

TEST(FormIDs, EachSlotKind_ComposesItsRunTimeIDFromItsOwnIndex) {
    simtest::LoadWorldText(kFourSlotWorld);
    EXPECT_EQ(IDInFile("Veltrane.vmf", 0x01A2B3), 0x0001A2B3u);
    EXPECT_STREQ(Game().FormGetEditorID(Game().LookupFormByID(0)), "Nothing");
    // Third.vmf is the third full file: small and medium files do not count.
    EXPECT_EQ(IDInFile("Third.vmf", 0xABCDEF), 0x02ABCDEFu);
    EXPECT_EQ(IDInFile("Light2.vmf", 0x345), 0xFE001345u);
    EXPECT_EQ(IDInFile("Mid2.vmf", 0xABCD), 0xFD01ABCDu);
    EXPECT_EQ(Game().FormGetID(Game().LookupFormByID(0xFF000800)), 0xFF000800u);
}

TEST(FormIDs, LookupInAFile_UsesOnlyTheLocalBitsOfItsSlotAndFindsNothingInUnknownFiles) {
    simtest::LoadWorldText(kFourSlotWorld);
    EXPECT_EQ(IDInFile("Light2.vmf", 0x7345), 0xFE001345u);
    EXPECT_EQ(IDInFile("Mid2.vmf", 0x3ABCD), 0xFD01ABCDu);
    EXPECT_EQ(IDInFile("Third.vmf", 0xFFABCDEF), 0x02ABCDEFu);
    EXPECT_EQ(IDInFile("veltrane.VMF", 0x01A2B3), 0x0001A2B3u);
    EXPECT_EQ(InFile("Missing.vmf", 0x01A2B3), nullptr);
    EXPECT_EQ(InFile("Light.vmf", 0x345), nullptr);
}

TEST(FormIDs, FileRecords_CarryTheIndicesOfTheirSlot) {
    simtest::LoadWorldText(kFourSlotWorld);
    const veltrane::FileListTable& table = *Game().fileLists;
    ASSERT_EQ(table.count, 4u);  // one list per defining file
    const veltrane::FileRecord* light2 = table.lists[2].files[0];
    EXPECT_STREQ(Game().FileGetName(light2), "Light2.vmf");
    EXPECT_EQ(Game().FileGetCompileIndex(light2), 0xFE);
    EXPECT_EQ(Game().FileGetSmallIndex(light2), 1);
    EXPECT_EQ(Game().FileGetMediumIndex(light2), 0);
    const veltrane::FileRecord* mid2 = table.lists[3].files[0];
    EXPECT_EQ(Game().FileGetCompileIndex(mid2), 0xFD);
    EXPECT_EQ(Game().FileGetMediumIndex(mid2), 1);
    EXPECT_EQ(Game().FileGetSmallIndex(mid2), 0);
    const veltrane::FileRecord* third = table.lists[1].files[0];
    EXPECT_EQ(Game().FileGetCompileIndex(third), 2);
    EXPECT_EQ(Game().FileGetFlags(third), 1u);
    EXPECT_TRUE(Game().IsFileRecord(third));
    EXPECT_FALSE(Game().IsFileRecord(Game().LookupFormByID(0x0001A2B3)));
}

TEST(FormIDs, TheSameShipForms_GetOtherIDsInTheSecondPlaythrough) {
    std::string error;
    struct Seen {
        std::uint32_t frontier, trimwork, deckhands;
    };
    auto seen = [] {
        return Seen{IDInFile("Frontier.vmf", 0x000801), IDInFile("Trimwork.vmf", 0x803),
                    IDInFile("Deckhands.vmf", 0x0803)};
    };
    ASSERT_TRUE(sim::LoadWorld(simtest::ExampleWorld("starter.json"), error)) << error;
    const Seen starter = seen();
    ASSERT_TRUE(sim::LoadWorld(simtest::ExampleWorld("second-playthrough.json"), error)) << error;
    const Seen second = seen();
    EXPECT_EQ(starter.frontier, 0x01000801u);
    EXPECT_EQ(second.frontier, 0x02000801u);
    EXPECT_EQ(starter.trimwork, 0xFE000803u);
    EXPECT_EQ(second.trimwork, 0xFE001803u);
    EXPECT_EQ(starter.deckhands, 0xFD000803u);
    EXPECT_EQ(second.deckhands, 0xFD010803u);
    EXPECT_STREQ(Game().FormGetEditorID(InFile("Trimwork.vmf", 0x803)), "TrimStorageModule");
}

TEST(FormIDs, ComposeFormID_MasksTheLocalIDToItsSlot) {
    EXPECT_EQ(sim::ComposeFormID(sim::FileSlot::Full, 0x1A, 0xFF123456), 0x1A123456u);
    EXPECT_EQ(sim::ComposeFormID(sim::FileSlot::Small, 0x012, 0x12345), 0xFE012345u);
    EXPECT_EQ(sim::ComposeFormID(sim::FileSlot::Medium, 0x05, 0x1ABCD), 0xFD05ABCDu);
}

}  // namespace
