// What `check` tells a player about a blueprint: every line an importer
// refuses, in line order, with the report the game would print for it, the
// forms whose data files are not loaded, and warnings; as text and as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "tools/blueprint/Commands.h"

namespace {

using namespace blueprint_tool;

std::string Blueprint(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// Hand edits gone wrong, one of each kind, among good lines.
const std::vector<std::string> kBroken = {
    "Ship: Broken [FormID: 01000900] [EditorID: ShipBroken] ",  // 1
    "Export time: 2026-12-06 21:07:12.00345",
    "Version: 2.50",  // 3: newer than the importers read
    "",
    "QRNKeywordForm[0] |zz|Veltrane.vmf",                 // 5: no form ID
    "QRNSpaceshipAIActor.actor |0801|Deckhands.vmf",      // 6: a data file not loaded
    "QRNSpaceshipWeaponBinding.weaponSlot1 |three",       // 7: not a number
    "Blueprint.data[0].fPosX |1.5",
    "Blueprint.data[1].fPosY |2.0",                       // 9: no module 1
    "Blueprint.data[0].item |0A2000|Veltrane.vmf",
    "QRNHullColour |red",                                 // 11: no importer reads it
    "KORModel.model |",                                   // 12: empty, as a ship's may be
    "QRNPropertySheet[0].first |0A0120|Veltrane.vmf",
    "QRNPropertySheet[0].second |0802|Deckhands.vmf",     // 14: not loaded, left out
    "DecorItem[1].base |0A3002|Veltrane.vmf",             // 15: no item 0 yet
    "DecorItem[0].base |0A3002|Veltrane.vmf",
    "DecorItem[0].fPosX |nan",                            // 17: not a number
    "DecorItem[0].overrideName |Crate Version: 9",
};

class Check : public testing::Test {
protected:
    std::string Path(const std::string& name) { return folder.Native(name).string(); }

    int Run(CheckOptions options) {
        out.str({});
        err.str({});
        return RunCheck(options, out, err);
    }

    dev_support::ScratchFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(Check, ABlueprintWithProblemsOfEveryKind_ResultsInEachInLineOrderWithTheGamesReport) {
    folder.WriteFile("Broken.txt", Blueprint(kBroken));
    folder.WriteFile("plugins.txt", "*Frontier.vmf\r\n*Trimwork.vmf\r\n");
    const std::string file = Path("Broken.txt");
    EXPECT_EQ(Run({{file}, Path("plugins.txt"), false}), kExitFound);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(),
              file + ":3: Version: 2.50\n"
              "    ImportShipLayout: [Error in phase: importing Version at Version: 2.50 | Extra error text: blueprint's "
              "version [2.50] is higher than the version supported by the importer [2.00], please update Corvanis]\n" +
              file + ":5: QRNKeywordForm[0] |zz|Veltrane.vmf\n"
              "    ImportShipLayout: [Error in phase: importing QRNKeywordForm at QRNKeywordForm[0] |zz|Veltrane.vmf]\n"
              "        (the value is no form reference: a form ID in hexadecimal, '|', and a data file's name)\n" +
              file + ":6: QRNSpaceshipAIActor.actor |0801|Deckhands.vmf\n"
              "    ImportShipLayout: [Error in phase: importing QRNSpaceshipAIActor.actor at QRNSpaceshipAIActor.actor "
              "|0801|Deckhands.vmf]\n"
              "        (the form's data file is not loaded)\n"
              "    no form 0801|Deckhands.vmf: Deckhands.vmf is not in the data file list\n" +
              file + ":7: QRNSpaceshipWeaponBinding.weaponSlot1 |three\n"
              "    ImportShipLayout: [Error in phase: importing QRNSpaceshipWeaponBinding.weaponSlot1 at "
              "QRNSpaceshipWeaponBinding.weaponSlot1 |three]\n"
              "        (the value is not a whole number that the field holds)\n" +
              file + ":9: Blueprint.data[1].fPosY |2.0\n"
              "    ImportShipLayout: [Error in phase: importing Blueprint|data|fPosY at Blueprint.data[1].fPosY |2.0]\n"
              "        (the index is neither the next element's nor an earlier element's)\n" +
              file + ":14: QRNPropertySheet[0].second |0802|Deckhands.vmf\n"
              "    no form 0802|Deckhands.vmf: Deckhands.vmf is not in the data file list\n"
              "    the importers go on without this line's value\n" +
              file + ":15: DecorItem[1].base |0A3002|Veltrane.vmf\n"
              "    ImportShipInterior: [Error in phase: importing DecorItem|base at DecorItem[1].base "
              "|0A3002|Veltrane.vmf]\n"
              "        (the index is neither the next item's nor an earlier item's)\n" +
              file + ":17: DecorItem[0].fPosX |nan\n"
              "    ImportShipInterior: [Error in phase: importing DecorItem|fPosX at DecorItem[0].fPosX |nan]\n"
              "        (the value is not a number)\n" +
              file + ":3: warning: version 2.50 is newer than the version 2.00 this Corvanis reads: ImportShipLayout "
              "refuses the file; ImportShipInterior does not read the version and would place its decoration items\n" +
              file + ":11: warning: no importer reads this line: QRNHullColour |red\n" +
              file + ":16: warning: the game reads this otherwise: DecorItem[0] has no fPosY, fPosZ, fRotX, "
                     "fRotY, fRotZ, fScale lines\n" +
              file + ": 8 problems; ImportShipLayout refuses it at line 3; ImportShipInterior refuses it at line 15; "
              "3 warnings\n" +
              file + ": data files not in the list: Deckhands.vmf (2 forms)\n");
}

TEST_F(Check, TheJsonReport_HoldsWhatTheTextSays_ForEveryFileGiven) {
    folder.WriteFile("Broken.txt", Blueprint(kBroken));
    folder.WriteFile("Fine.txt", Blueprint({"Version: 2.00", "", "KORModel.model |Ships\\Kestrel.nif",
                                            "Blueprint.data[0].fPosX |0", "Blueprint.data[0].item |0A2000|Veltrane.vmf"}));
    EXPECT_EQ(Run({{Path("Broken.txt"), Path("Fine.txt")}, {}, true}), kExitFound);
    const nlohmann::json report = nlohmann::json::parse(out.str());
    ASSERT_EQ(report["files"].size(), 2u);
    const nlohmann::json& broken = report["files"][0];
    std::vector<int> lines;
    for (const auto& problem : broken["problems"]) lines.push_back(problem["line"]);
    // Without a list every well-formed reference is taken.
    EXPECT_EQ(lines, (std::vector<int>{3, 5, 7, 9, 15, 17}));
    EXPECT_EQ(broken["problems"][4]["importer"], "ImportShipInterior");
    EXPECT_EQ(broken["problems"][4]["phase"], "importing DecorItem|base at DecorItem[1].base |0A3002|Veltrane.vmf");
    EXPECT_EQ(broken["problems"][0]["extraErrorText"],
              "blueprint's version [2.50] is higher than the version supported by the importer [2.00], please "
              "update Corvanis");
    EXPECT_EQ(broken["refusedAt"], (nlohmann::json{{"ImportShipInterior", 15}, {"ImportShipLayout", 3}}));
    ASSERT_EQ(broken["warnings"].size(), 3u);
    EXPECT_EQ(broken["warnings"][0]["kind"], "newerVersion");
    EXPECT_EQ(broken["warnings"][2], (nlohmann::json{{"line", 11}, {"kind", "unread"}, {"text", "QRNHullColour |red"}}));
    const nlohmann::json& fine = report["files"][1];
    EXPECT_TRUE(fine["problems"].empty());
    EXPECT_TRUE(fine["warnings"].empty());
}

TEST_F(Check, LinesOfOneKindThatNoImporterReads_AreOneWarningWithTheirLineNumbers) {
    std::vector<std::string> lines = {"Version: 2.00", ""};
    for (int i = 0; i < 13; ++i) lines.push_back("KORContainer[" + std::to_string(i) + "].colour |red");
    lines.push_back("Blueprint.data[0].fPosX |0");
    lines.push_back("Blueprint.data[0].item |0A2000|Veltrane.vmf");
    folder.WriteFile("Crates.txt", Blueprint(lines));
    const std::string file = Path("Crates.txt");
    EXPECT_EQ(Run({{file}, {}, false}), kExitClean);
    EXPECT_EQ(out.str(), file + ":3: warning: no importer reads this line: KORContainer[0].colour |red (and 12 more "
                                "lines like it: 4 5 6 7 8 9 10 11 12 13 ...)\n" +
                             file + ": no problems: ImportShipLayout and ImportShipInterior read it whole; 1 warning\n");
}

TEST_F(Check, FilesThatCannotBeRead_AreUsageErrors_AfterTheOthersAreChecked) {
    folder.WriteFile("Fine.txt", Blueprint({"Blueprint.data[0].fPosX |0", "Blueprint.data[0].item |0A2000|Veltrane.vmf"}));
    EXPECT_EQ(Run({{Path("Missing.txt"), Path("Fine.txt")}, {}, false}), kExitError);
    EXPECT_EQ(err.str(), "corvanis-blueprint: cannot read " + Path("Missing.txt") + "\n");
    EXPECT_EQ(out.str(), Path("Fine.txt") + ": no problems: ImportShipLayout and ImportShipInterior read it whole\n");
    EXPECT_EQ(Run({{Path("Fine.txt")}, Path("plugins.txt"), false}), kExitError);
    EXPECT_EQ(err.str(), "corvanis-blueprint: cannot read the data file list " + Path("plugins.txt") + "\n");
    EXPECT_EQ(out.str(), "");
}

}  // namespace
