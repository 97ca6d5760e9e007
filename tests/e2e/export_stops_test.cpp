// Exports that stop in a section: a form whose data file cannot be found, in
// each kind of section, and a property sheet that is missing or empty. Each
// says where and why, and leaves no file.
#include <gtest/gtest.h>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/ShipWorld.h"

namespace e2e {
namespace {

// Forms created at run time belong to no data file.
const char* const kLooseForms[] = {
    R"({"id": "@LooseKeyword", "formID": "FF0A0001", "type": 4, "editorID": "LooseKeyword"})",
    R"({"id": "@LooseItem", "formID": "FF0A0002", "type": 40, "name": "Loose Item", "editorID": "LooseItem"})",
    R"({"id": "@LooseActor", "formID": "FF0A0003", "type": 50, "name": "Loose Actor"})",
    R"({"id": "@LooseVoice", "formID": "FF0A0004", "type": 112})",
    R"({"id": "@LooseTraversal", "formID": "FF0A0005", "type": 170, "editorID": "LooseTraversal"})",
    R"({"id": "Veltrane.vmf:0A0010", "type": 4, "editorID": "FineKeyword"})",
    R"({"id": "Veltrane.vmf:0A0011", "type": 170})",
};

const char* const kLooseKeyword = "[FF0A0001 | <address> | 4|KWRD | 65535|0xFFFF | {unnamed} | LooseKeyword]";
const char* const kLooseItem = "[FF0A0002 | <address> | 40|MISC | 65535|0xFFFF | Loose Item | LooseItem]";
const char* const kNoForm = "!!! ERROR: nullptr form !!!";

std::string Traversal(const std::string& form) { return R"({"unk00": 0.5, "traversal": )" + form + "}"; }

struct Stop {
    TestShip ship;
    std::string phase;
    std::string errorText;
};

std::vector<Stop> Stops() {
    return {
        {TestShip("AddToInventory")
             .WithComponents(R"({"QRNAddToInventoryOnDestroy_Component": {"form": "@LooseItem"}})"),
         "exporting QRNAddToInventoryOnDestroy",
         std::string("KORFile of QRNAddToInventoryOnDestroy ") + kLooseItem + " is nullptr"},
        {TestShip("Keywords")
             .WithComponents(R"({"QRNKeywordForm_Component": {"keywords": ["FineKeyword", null, "@LooseKeyword"]}})"),
         "exporting QRNKeywordForm",
         std::string("KORFile of QRNKeyword of QRNKeywordForm ") + kLooseKeyword + " is nullptr"},
        {TestShip("AttachParents")
             .WithComponents(R"({"QRNAttachParentArray_Component": {"keywords": ["FineKeyword", "@LooseKeyword"]}})"),
         "exporting QRNAttachParentArray",
         std::string("KORFile of QRNKeyword of QRNAttachParentArray ") + kLooseKeyword + " is nullptr"},
        {TestShip("NoSheet").WithComponents(R"({"QRNPropertySheet_Component": {"sheet": null}})"),
         "exporting QRNPropertySheet", "KORFile of QRNPropertySheet is nullptr"},
        {TestShip("EmptySheet").WithComponents(R"({"QRNKeywordForm_Component": {"keywords": ["FineKeyword"]},
                                                    "QRNPropertySheet_Component": {"sheet": []}})"),
         "exporting QRNPropertySheet", "size of QRNPropertySheet is 0"},
        {TestShip("Actor").WithComponents(R"({"QRNSpaceshipAIActor_Component": {"actor": "@LooseActor"}})"),
         "exporting QRNSpaceshipAIActor",
         "KORFile of QRNSpaceshipAIActor [FF0A0003 | <address> | 50|NPC_ | 65535|0xFFFF | Loose Actor | {no_edid}] is "
         "nullptr"},
        {TestShip("Voice").WithComponents(R"({"QRNLinkedVoiceType_Component": {"voice": "@LooseVoice"}})"),
         "exporting QRNLinkedVoiceType",
         "KORFile of QRNLinkedVoiceType [FF0A0004 | <address> | 112|VTYP | 65535|0xFFFF | {unnamed} | {no_edid}] is "
         "nullptr"},
        {TestShip("Traversals")
             .WithComponents(R"({"QRNStoredTraversals_Component": {"traversals1": [)" +
                             Traversal("\"Veltrane.vmf:0A0011\"") + ", " + Traversal("\"@LooseTraversal\"") + "]}}"),
         "exporting QRNStoredTraversalData",
         "KORFile of QRNStoredTraversalData [FF0A0005 | <address> | 170|TRAV | 65535|0xFFFF | {unnamed} | "
         "LooseTraversal] is nullptr"},
        {TestShip("TraversalGroups")
             .WithComponents(R"({"QRNStoredTraversals_Component": {"traversals2": [{"traversals": [)" +
                             Traversal("null") + "]}]}}"),
         "exporting QRNStoredTraversalData",
         std::string("KORFile of QRNStoredTraversalData2 ") + kNoForm + " is nullptr"},
        {TestShip("Modules").WithComponents(R"({"Blueprint_Component": {"data": [{"fPosX": 1.0}]}})"),
         "exporting Blueprint", std::string("KORFile of Blueprint item ") + kNoForm + " is nullptr"},
        {TestShip("Container")
             .WithComponents(R"({"KORContainer_Component": {"entries": [{"count": 1, "obj": "@LooseItem"}]}})"),
         "exporting KORContainer", std::string("KORFile of KORContainer object ") + kLooseItem + " is nullptr"},
        {TestShip("Decoration").WithItems({R"({"id": "@Trinket", "base": "@LooseItem"})"}), "exporting DecorItems",
         std::string("KORFile of interior item ") + kLooseItem + " is nullptr"},
    };
}

class ExportStops : public ::testing::Test {};

TEST_F(ExportStops, EachSectionThatCannotBeWritten_StopsTheExportWithItsPhaseAndReason_AndLeavesNoFile) {
    GameFolder folder;
    folder.InstallCorvanis();
    ShipWorld world;
    for (const char* form : kLooseForms) world.Form(form);
    std::vector<std::string> console;
    Lines expected;
    for (const Stop& stop : Stops()) {
        world.Ship(stop.ship);
        if (!expected.empty()) console.push_back("sim.board @" + stop.ship.name);
        console.push_back("ExportShip " + stop.ship.name);
        expected.push_back("> ExportShip " + stop.ship.name);
        expected.push_back("ExportShipRef: ERROR: ship couldn't be exported.");
        expected.push_back("[Error in phase: " + stop.phase + " | Extra error text: " + stop.errorText + "]");
        expected.push_back("ExportShipRef: INFO: the ship holds something no blueprint can be written from, as the "
                           "text above names it, so nothing was written");
    }
    const Lines shown = RunWorld(folder, world.Text(), console);
    EXPECT_EQ(MaskDescriptionAddresses(Without(Without(shown, "> sim.board "), "The player boards ")), expected);
    EXPECT_EQ(FolderEntries(folder.Spaceships()), Lines{});
}

TEST_F(ExportStops,
       FormsOfThePropertySheetWithoutAFile_AreWrittenAsMasterFileForms_AndRunsOfAttachParentsEndAtTheFirstNonKeyword) {
    GameFolder folder;
    folder.InstallCorvanis();
    const std::string world = ShipWorld()
                                  .Form(R"({"id": "@LooseProperty", "formID": "FF0A0010", "type": 109})")
                                  .Form(R"({"id": "Extra.vmf:901", "type": 109, "files": ["Veltrane.vmf"]})")
                                  .Form(R"({"id": "Crew.vmf:0902", "type": 109})")
                                  .Form(R"({"id": "Veltrane.vmf:0A0020", "type": 4})")
                                  .Form(R"({"id": "Veltrane.vmf:0A0021", "type": 40})")
                                  .Form(R"({"id": "Veltrane.vmf:0A0022", "type": 4})")
                                  .Ship(TestShip("Sheet").WithComponents(R"({
                       "QRNAttachParentArray_Component": {"keywords": ["Veltrane.vmf:0A0020", "Veltrane.vmf:0A0022",
                           "Veltrane.vmf:0A0021", "Veltrane.vmf:0A0022"]},
                       "QRNPropertySheet_Component": {"sheet": [
                           {"first": "@LooseProperty", "second": "Extra.vmf:901", "third": 0.1},
                           {"first": "Crew.vmf:0902", "second": null, "third": -2.5}]}})"))
                                  .Text();
    EXPECT_EQ(RunWorld(folder, world, {"ExportShip Sheet"}),
              Exported("ExportShip Sheet", "Sheet.txt"));
    EXPECT_EQ(
        ComparableBlueprint(folder.Spaceships() / "Sheet.txt"),
        (Lines{"Ship: Sheet [FormID: 000B0000] [EditorID: ShipSheet] ", "Export time: <time>", "Version: 2.00", "",
               "QRNAttachParentArray[0] |0A0020|Veltrane.vmf", "QRNAttachParentArray[1] |0A0022|Veltrane.vmf",
               "QRNPropertySheet[0].first |0A0010|Veltrane.vmf", "QRNPropertySheet[0].second |000901|Veltrane.vmf",
               "QRNPropertySheet[0].third |0.100000", "QRNPropertySheet[1].first |0902|Crew.vmf",
               "QRNPropertySheet[1].third |-2.500000", "DisplayName |Sheet"}));
}

}  // namespace
}  // namespace e2e
