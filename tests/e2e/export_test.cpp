// ExportShip as a player uses it: the blueprint of the example ship, the
// header and the names files get, what is refused and why.
#include <gtest/gtest.h>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/ShipWorld.h"

namespace e2e {
namespace {

class Export : public ::testing::Test {
protected:
    GameFolder folder;
    void SetUp() override {
        ::testing::Test::SetUp();
        folder.InstallCorvanis();
    }
};

const char* const kNotExported = "ExportShipRef: ERROR: ship couldn't be exported.";

TEST_F(Export, TheStarterShip_IsWrittenWithEverySectionAsTheWorldHoldsIt) {
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"}),
              Exported("ExportShip Pathfinder", "Pathfinder.txt"));
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{"Pathfinder.txt"});
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Pathfinder.txt"),
              ReadLines(ExpectedFolder() / "starter-Pathfinder.txt"));
}

TEST_F(Export, AShipWithoutComponentsOrItems_ResultsInTheHeaderAndTheDisplayNameOnly) {
    const std::string world = ShipWorld().Ship(TestShip("Bare")).Text();
    EXPECT_EQ(RunWorld(folder, world, {"ExportShip Bare"}), Exported("ExportShip Bare", "Bare.txt"));
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Bare.txt"),
              (Lines{"Ship: Bare [FormID: 000B0000] [EditorID: ShipBare] ", "Export time: <time>", "Version: 2.00", "",
                     "DisplayName |Bare"}));
}

TEST_F(Export, ShipsNamedByRunTimeForms_ResultInTheFirstIDFromADataFileAndTheFirstEditorIDInTheHeader) {
    const std::string world =
        ShipWorld()
            .Form(R"({"id": "Veltrane.vmf:0A0001", "type": 65, "editorID": "NamedByExtra"})")
            .Ship(
                TestShip("Ghost").WithBase("@GhostBase").WithReferenceMembers(R"(, "extra": {"formID": "#FF0F0000"})"))
            .Ship(TestShip("Named")
                      .WithBase("@NamedBase")
                      .WithReferenceMembers(R"(, "extra": {"formID": "Veltrane.vmf:0A0001"})"))
            .Ship(TestShip("Tagged")
                      .WithBase("@TaggedBase")
                      .WithReferenceMembers(R"(, "extra": {"editorID": "TaggedRef", "formID": "Veltrane.vmf:0A0001"})"))
            .Text();
    RunWorld(folder, world,
             {"ExportShip Ghost", "sim.board @Named", "ExportShip Named", "sim.board @Tagged", "ExportShip Tagged"});
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Ghost.txt").front(),
              "Ship: Ghost [FormID: ] [EditorID: ShipGhost] ");
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Named.txt").front(),
              "Ship: Named [FormID: 000A0001] [EditorID: ShipNamed] ");
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Tagged.txt").front(),
              "Ship: Tagged [FormID: 000A0001] [EditorID: TaggedRef] ");
}

TEST_F(Export, NamesWithReservedCharacters_AreWrittenWithSemicolons_AndTheWrittenNameIsWhatASecondExportFinds) {
    const Lines console = RunWorldFile(
        folder, StarterWorld(),
        {"ExportShip a/b?", "ExportShip Alpha|Beta", "ExportShip a;b;", "ExportShip a/b?", "ExportShip \"Mk2: Rebirth\"",
         "ExportShip \"Mk2; Rebirth\"", "ExportShip Pathfinder", "ExportShip Pathfinder"});
    const std::string at = "ExportShipRef: ERROR: file already exists at [.\\Data\\ORBX\\Plugins\\Spaceships\\";
    const std::string taken =
        "ExportShipRef: INFO: an export never replaces a file: choose another name, or move the old file out of the "
        "Spaceships folder";
    // Each export names the file it wrote, under the name written.
    EXPECT_EQ(console, Concatenated({Exported("ExportShip a/b?", "a;b;.txt"),
                                     Exported("ExportShip Alpha|Beta", "Alpha;Beta.txt"),
                                     {"> ExportShip a;b;", at + "a;b;.txt].", taken},
                                     {"> ExportShip a/b?", at + "a;b;.txt].", taken},
                                     Exported("ExportShip \"Mk2: Rebirth\"", "Mk2; Rebirth.txt"),
                                     {"> ExportShip \"Mk2; Rebirth\"", at + "Mk2; Rebirth.txt].", taken},
                                     Exported("ExportShip Pathfinder", "Pathfinder.txt"),
                                     {"> ExportShip Pathfinder", at + "Pathfinder.txt].", taken}}));
    EXPECT_EQ(FolderEntries(folder.Spaceships()),
              (Lines{"Alpha;Beta.txt", "Mk2; Rebirth.txt", "Pathfinder.txt", "a;b;.txt"}));
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Pathfinder.txt"),
              ReadLines(ExpectedFolder() / "starter-Pathfinder.txt"));
}

TEST_F(Export, APercentSignInAName_ReachesTheConsoleAsTyped) {
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip 100%s", "ExportShip 100%s"}),
              Concatenated({Exported("ExportShip 100%s", "100%s.txt"),
                            {"> ExportShip 100%s",
                             "ExportShipRef: ERROR: file already exists at [.\\Data\\ORBX\\Plugins\\Spaceships\\100%s.txt].",
                             "ExportShipRef: INFO: an export never replaces a file: choose another name, or move the "
                             "old file out of the Spaceships folder"}}));
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{"100%s.txt"});
}

TEST_F(Export, ShipNamesWithBarsOrLineBreaks_StayOnTheirLines) {
    const std::string world =
        ShipWorld()
            .Ship(TestShip("Bars").WithReferenceMembers(R"(, "extra": {"name": "Alpha|Beta"})"))
            .Ship(TestShip("Breaks").WithReferenceMembers(R"(, "extra": {"name": "Line\r\nTwo\nThree"})"))
            .Text();
    RunWorld(folder, world, {"ExportShip Bars", "sim.board @Breaks", "ExportShip Breaks"});
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Bars.txt"),
              (Lines{"Ship: Alpha|Beta [FormID: 000B0000] [EditorID: ShipBars] ", "Export time: <time>",
                     "Version: 2.00", "", "DisplayName |Alpha|Beta"}));
    EXPECT_EQ(ComparableBlueprint(folder.Spaceships() / "Breaks.txt"),
              (Lines{"Ship: Line  Two Three [FormID: 000B0001] [EditorID: ShipBreaks] ", "Export time: <time>",
                     "Version: 2.00", "", "DisplayName |Line  Two Three"}));
}

// What an export of a name too long for the file system reports. Wine
// answers a query of such a name with "not found", so there the export
// learns of it only when the finished file is to take the name.
std::string NameTooLongLine() {
#if defined(_WIN32)
    return "[Error in phase: exporting DecorItems | Extra error text: Blueprint write error: log.fail()]";
#else
    return "[Error in phase: preparing to export ship | Extra error text: Blueprint write error: !log.is_open()]";
#endif
}

TEST_F(Export, TheLongestNameAFileSystemTakes_IsWritten_AndOneLonger_IsRefusedLeavingNothing) {
    // 255 bytes with ".txt", the longest file name common file systems hold.
    const std::string longest(251, 'n');
    const std::string longer(252, 'n');
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip " + longest, "ExportShip " + longer}),
              Concatenated({Exported("ExportShip " + longest, longest + ".txt"),
                            {"> ExportShip " + longer, kNotExported, NameTooLongLine(),
                             "ExportShipRef: INFO: the blueprint file could not be written: the name may be a "
                             "folder's or too long, or the Spaceships folder cannot be written; choose another "
                             "name, or free the folder"}}));
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{longest + ".txt"});
}

TEST_F(Export, AMissingSpaceshipsFolder_IsCreated) {
    GameFolder bare(GameFolder::SpaceshipsFolder::Omit);
    bare.InstallCorvanis();
    EXPECT_EQ(RunWorldFile(bare, StarterWorld(), {"ExportShip Pathfinder"}),
              Exported("ExportShip Pathfinder", "Pathfinder.txt"));
    EXPECT_EQ(FolderEntries(bare.Spaceships()), Lines{"Pathfinder.txt"});
}

TEST_F(Export, AFolderWhereTheBlueprintWouldGo_IsFoundBeforeWriting_AndReportedAsAFileThatCannotBeOpened) {
    std::filesystem::create_directory(folder.Spaceships() / "Pathfinder.txt");
    EXPECT_EQ(RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"}),
              (Lines{"> ExportShip Pathfinder", kNotExported,
                     "[Error in phase: preparing to export ship | Extra error text: Blueprint write error: "
                     "!log.is_open()]",
                     "ExportShipRef: INFO: the blueprint file could not be written: the name may be a folder's or "
                     "too long, or the Spaceships folder cannot be written; choose another name, or free the "
                     "folder"}));
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{"Pathfinder.txt"});
    EXPECT_TRUE(std::filesystem::is_empty(folder.Spaceships() / "Pathfinder.txt"));
}

TEST_F(Export, PlayersWhoAreNotAboardAProperShipOrGiveNoName_AreToldWhyAndNothingIsWritten) {
    const std::string world = ShipWorld()
                                  .Ship(TestShip("Fine"))
                                  .Ship(TestShip("NoBase").WithBase("none"))
                                  .Ship(TestShip("Crate").WithBaseType("40"))
                                  .Ship(TestShip("Disguised").WithBaseMembers(R"(, "queryType": 40)"))
                                  .Ship(TestShip("Outside").WithExteriorInterior(R"(, "files": null)"))
                                  .Text();
    const Lines console =
        RunWorld(folder, world,
                 {"ExportShip", "ExportShip \"\"", "ExportShip \"open", "ExportShip one two", "sim.board @NoBase",
                  "ExportShip x", "sim.board @Crate", "ExportShip x", "sim.board @Disguised", "ExportShip x",
                  "sim.board @Outside", "ExportShip x", "sim.leave", "ExportShip x"});
    // Each refusal, then why in a player's words and what to do.
    const std::string quotes = "ExportShipRef: INFO: the command takes one name: put a name with blanks in quotes, "
                               "as in ExportShip \"Orbit Runner\"";
    const std::string noShipForm = "ExportShipRef: INFO: the game gives no ship form for the ship you are in, so it "
                                   "cannot be exported: export another ship";
    EXPECT_EQ(MaskDescriptionAddresses(Without(Without(console, "The player boards "), "The player leaves ")),
              (Lines{"> ExportShip",
                     "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ExportShip \"\"",
                     "ExportShipRef: ERROR: parameter 'asBlueprintName' is empty.",
                     "> ExportShip \"open",
                     "ExportShipRef: ERROR: couldn't parse command parameters.",
                     quotes,
                     "> ExportShip one two",
                     "ExportShipRef: ERROR: couldn't parse command parameters.",
                     quotes,
                     "> sim.board @NoBase",
                     "> ExportShip x",
                     "ExportShipRef: ERROR: ShipBase is nullptr.",
                     noShipForm,
                     "> sim.board @Crate",
                     "> ExportShip x",
                     "ExportShipRef: ERROR: ShipBase is not QRNGenericBaseForm | FormType: 40",
                     noShipForm,
                     "> sim.board @Disguised",
                     "> ExportShip x",
                     kNotExported,
                     "[Error in phase: preparing to export ship | Extra error text: theShipForm is nullptr or not "
                     "QRNGenericBaseForm]",
                     noShipForm,
                     "> sim.board @Outside",
                     "> ExportShip x",
                     kNotExported,
                     "[Error in phase: preparing to export ship | Extra error text: theInteriorCell [000C0004 | "
                     "<address> | 73|CELL | 65535|0xFFFF | {unnamed} | {no_edid}] is not interior]",
                     "ExportShipRef: INFO: you are not inside the ship: go into its interior and export again",
                     "> sim.leave",
                     "> ExportShip x",
                     "ExportShipRef: ERROR: Player is not in the ship.",
                     "ExportShipRef: INFO: board the ship you want to export and stand inside it, then export "
                     "again"}));
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{});
}

TEST_F(Export, AGameWithoutOneOfTheKeywordsAnExportNeeds_RefusesToExportAndNamesIt) {
    for (const char* keyword :
         {"SpaceshipCockpitPilotSeat", "SpaceshipInventoryContainer", "WorkshopItemKeyword", "WorkshopKeyword"}) {
        GameFolder game;
        game.InstallCorvanis();
        const std::string world = ShipWorld().WithoutKeyword(keyword).Ship(TestShip("Fine")).Text();
        EXPECT_EQ(RunWorld(game, world, {"ExportShip Fine"}),
                  (Lines{"> ExportShip Fine", kNotExported,
                         "[Error in phase: preparing to export ship | Extra error text: " + std::string(keyword) +
                             " is nullptr or not QRNKeyword]",
                         "ExportShipRef: INFO: the game's data files lack a form every export needs, so no ship can "
                         "be exported with them"}));
        EXPECT_EQ(FolderEntries(game.Spaceships()), Lines{});
    }
}

}  // namespace
}  // namespace e2e
