// corvanis-blueprint on the blueprints the game writes and on broken ones:
// what it finds is what the game's importers find, line for line, and what it
// counts is what the world holds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#if defined(CORVANIS_HAVE_EXPAT)
#include <expat.h>
#endif

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class BlueprintTool : public testing::Test {
protected:
    void SetUp() override {
        ::testing::Test::SetUp();
        folder.InstallCorvanis();
    }

    ProcessResult Tool(const std::vector<std::string>& arguments) const {
        return RunBlueprintTool(arguments, folder.Root());
    }

    // The tool's JSON answer, which must come with the exit code.
    json ToolJson(const std::vector<std::string>& arguments, int exitCode) const {
        const ProcessResult result = Tool(arguments);
        EXPECT_EQ(result.exitCode, exitCode) << result.out << result.err;
        EXPECT_EQ(result.err, "");
        return json::parse(result.out);
    }

    std::string Blueprint(const std::string& name) const { return (folder.Spaceships() / (name + ".txt")).string(); }

    GameFolder folder;
};


json ReadJson(const fs::path& file) {
    std::ifstream in(file);
    return json::parse(in);
}

// The base form of a world's ship, by its editor ID or its name.
const json& ShipBase(const json& world, const std::string& id) {
    for (const json& form : world["forms"]) {
        if (form.value("editorID", "") == id || form.value("id", "") == id) return form;
    }
    throw std::runtime_error("no form " + id);
}

std::string BlueprintText(const std::vector<std::string>& lines) {
    std::string text = "Ship: Test [FormID: ] [EditorID: ] \r\nExport time: 2026-12-06 21:07:12.00345\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

TEST_F(BlueprintTool, TheBlueprintsTheGameExports_HaveNoProblem_AndTheCountsTheWorldHolds) {
    RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"});
    RunWorldFile(folder, SecondPlaythroughWorld(), {"sim.board @Kestrel", "ExportShip Kestrel"});
    struct Ship {
        std::string name;
        fs::path world;
        std::string base;
        // The items of the ship's interior that an export with the default
        // settings takes: placed at run time, and workshop items or of an
        // inventory type.
        std::size_t decorationItems;
    };
    for (const Ship& ship : {Ship{"Pathfinder", StarterWorld(), "ShipPathfinder", 15},
                             Ship{"Kestrel", SecondPlaythroughWorld(), "@KestrelBase", 2}}) {
        SCOPED_TRACE(ship.name);
        const ProcessResult check = Tool({"check", Blueprint(ship.name)});
        EXPECT_EQ(check.exitCode, 0) << check.out;
        // Nothing to warn about either: what an export writes and no import
        // takes back is so by design, not a player's concern.
        EXPECT_EQ(check.OutLines(),
                  Lines{Blueprint(ship.name) + ": no problems: ImportShipLayout and ImportShipInterior read it whole"})
            << check.out;
        EXPECT_EQ(ToolJson({"check", "--json", Blueprint(ship.name)}, 0)["files"][0]["problems"], json::array());

        const json base = ShipBase(ReadJson(ship.world), ship.base);
        const json info = ToolJson({"info", "--json", Blueprint(ship.name)}, 0);
        EXPECT_EQ(info["ship"]["name"], ship.name);
        EXPECT_EQ(info["version"], "2.00");
        EXPECT_EQ(info["modules"], base["components"]["Blueprint_Component"]["data"].size());
        EXPECT_EQ(info["components"].size(), base["components"].size());
        EXPECT_EQ(info["decorationItems"], ship.decorationItems);
        EXPECT_EQ(info["problems"], 0);
    }
}

TEST_F(BlueprintTool, AListOfDataFiles_NamesEveryFormOfAFileItLacks_AndTakesTheRightFilesInAnyOrder) {
    RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"});
    const std::string blueprint = Blueprint("Pathfinder");
    folder.WriteFile("lacking.txt", "Veltrane.vmf\r\nFrontier.vmf\r\nDeckhands.vmf\r\n");
    const json lacking = ToolJson({"check", "--json", "--data-files", "lacking.txt", blueprint}, 1);
    std::vector<std::string> forms;
    for (const json& problem : lacking["files"][0]["problems"]) {
        for (const json& form : problem["missingForms"]) forms.push_back(form["form"]);
    }
    // Every line of the blueprint that names a form of Trimwork.vmf.
    std::vector<std::string> expected;
    for (const std::string& line : ReadLines(blueprint)) {
        if (line.ends_with("|Trimwork.vmf")) {
            expected.push_back(line.substr(line.rfind('|', line.size() - 14) + 1));
        }
    }
    EXPECT_EQ(forms, expected);
    EXPECT_EQ(lacking["files"][0]["missingDataFiles"], (json::array({{{"name", "Trimwork.vmf"}, {"forms", 4}}})));

    folder.WriteFile("plugins.txt", "# the player's list\r\n*deckhands.vmf\r\n*TRIMWORK.VMF\r\n*Frontier.vmf\r\n");
    const ProcessResult listed = Tool({"check", "--data-files", "plugins.txt", blueprint});
    EXPECT_EQ(listed.exitCode, 0) << listed.out;
    EXPECT_EQ(Tool({"check", "--data-files", "absent.txt", blueprint}).exitCode, 2);
}

// The module and item marks in each view of an SVG picture.
struct PictureCounts {
    std::map<std::string, std::size_t> modules;
    std::map<std::string, std::size_t> items;
};

#if defined(CORVANIS_HAVE_EXPAT)
PictureCounts CountPicture(const std::string& svg) {
    struct State {
        PictureCounts counts;
        std::vector<std::string> views;  // the view of each open element, "" outside views
    } state;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char*, const XML_Char** attributes) {
            auto& s = *static_cast<State*>(data);
            std::string view = s.views.empty() ? "" : s.views.back();
            std::string cssClass;
            std::string id;
            for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
                if (std::string(a[0]) == "class") cssClass = a[1];
                if (std::string(a[0]) == "id") id = a[1];
            }
            if (cssClass == "view") view = id;
            if (cssClass == "module") ++s.counts.modules[view];
            if (cssClass.starts_with("item")) ++s.counts.items[view];
            s.views.push_back(view);
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->views.pop_back(); });
    const bool parsed = XML_Parse(parser, svg.data(), static_cast<int>(svg.size()), 1) == XML_STATUS_OK;
    EXPECT_TRUE(parsed) << XML_ErrorString(XML_GetErrorCode(parser)) << " at line "
                        << XML_GetCurrentLineNumber(parser);
    XML_ParserFree(parser);
    return state.counts;
}
#endif

TEST_F(BlueprintTool, ThePictureOfTheExampleShip_IsAnSvgWithEveryModuleAndItemInEachView) {
    RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder"});
    const ProcessResult render = Tool({"render", Blueprint("Pathfinder"), "-o", "Pathfinder.svg"});
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_EQ(render.OutLines(), Lines{"Wrote Pathfinder.svg: 4 modules and 15 decoration items, seen from the top, "
                                       "the side and the front."});
    const std::string svg = ReadBytes(folder.Root() / "Pathfinder.svg");
    const json info = ToolJson({"info", "--json", Blueprint("Pathfinder")}, 0);
    for (const char* form : {"0A2000|Veltrane.vmf", "000801|Frontier.vmf", "803|Trimwork.vmf", "0803|Deckhands.vmf"}) {
        EXPECT_NE(svg.find(std::string(form) + " \u00B7 1 module<"), std::string::npos) << form;
    }
    EXPECT_NE(svg.find(">Pathfinder</text>"), std::string::npos);
    EXPECT_NE(svg.find("extent 4.00 \u00D7 18.75 \u00D7 1.50"), std::string::npos);
#if defined(CORVANIS_HAVE_EXPAT)
    const PictureCounts counts = CountPicture(svg);
    const std::size_t modules = info["modules"];
    const std::size_t items = info["decorationItems"];
    EXPECT_EQ(counts.modules, (std::map<std::string, std::size_t>{{"front", modules}, {"side", modules}, {"top", modules}}));
    EXPECT_EQ(counts.items, (std::map<std::string, std::size_t>{{"front", items}, {"side", items}, {"top", items}}));
#endif
}

TEST_F(BlueprintTool, ABlueprintComparedWithItselfAndWithAnEditedCopy_DiffersNowhereAndInTheEditedValue) {
    RunWorldFile(folder, StarterWorld(), {"ExportShip Pathfinder", "ExportShip Again"});
    const ProcessResult same = Tool({"diff", Blueprint("Pathfinder"), Blueprint("Again")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.OutLines(), Lines{"The blueprints hold the same keys and values (the export time aside)."});

    std::string edited = ReadBytes(Blueprint("Pathfinder"));
    const std::string from = "Blueprint.data[2].fPosZ |1.500000";
    edited.replace(edited.find(from), from.size(), "Blueprint.data[2].fPosZ |3.000000");
    WriteBytes(folder.Root() / "Edited.txt", edited);
    const ProcessResult changed = Tool({"diff", Blueprint("Pathfinder"), "Edited.txt"});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_EQ(changed.OutLines(), (Lines{"--- " + Blueprint("Pathfinder"), "+++ Edited.txt",
                                         "changed  Blueprint.data[2].fPosZ |1.500000  ->  |3.000000",
                                         "1 key differs: 1 changed, 0 removed, 0 added"}));
}

// One line an importer refuses, and which importer.
struct Refusal {
    std::string name;
    std::vector<std::string> lines;
    std::string importer;
    // The line refused, counted from 1; 0 for the file as a whole. By
    // default the last line given, after the two lines of the header.
    int line = -1;
};

const std::string kModule0 = "Blueprint.data[0].fPosX |0";
const std::string kItem0 = "Blueprint.data[0].item |0A2000|Veltrane.vmf";

TEST_F(BlueprintTool, EachLineCheckRefuses_IsRefusedByTheGamesImportWithTheSameReport) {
    const std::vector<Refusal> refusals = {
        {"NewerVersion", {kModule0, kItem0, "Version: 3.00"}, "ImportShipLayout"},
        {"VersionText", {kModule0, kItem0, "Version: x"}, "ImportShipLayout"},
        {"NoFormID", {kModule0, kItem0, "QRNKeywordForm[0] |zz|Veltrane.vmf"}, "ImportShipLayout"},
        {"NotANumber", {kModule0, kItem0, "QRNSpaceshipWeaponBinding.weaponSlot1 |three"}, "ImportShipLayout"},
        {"NoModuleYet", {kModule0, kItem0, "Blueprint.data[2].fPosX |1.0"}, "ImportShipLayout"},
        {"FileNotLoaded", {kModule0, kItem0, "QRNSpaceshipAIActor.actor |0801|Elsewhere.vmf"}, "ImportShipLayout"},
        {"ModuleWithoutItem", {kModule0, "KORModel.model |"}, "ImportShipLayout", 3},
        {"NoModule", {"KORModel.model |"}, "ImportShipLayout", 0},
        {"ItemOutOfOrder", {"DecorItem[1].base |0A3002|Veltrane.vmf"}, "ImportShipInterior"},
        {"ItemNaN", {"DecorItem[0].base |0A3002|Veltrane.vmf", "DecorItem[0].fPosX |nan"}, "ImportShipInterior"},
        {"ItemNotLoaded", {"DecorItem[0].base |0A3002|Elsewhere.vmf"}, "ImportShipInterior"},
    };
    std::vector<std::string> check = {"check", "--json", "--data-files", "plugins.txt"};
    // The player stands outside the home ship, where its layout may be
    // imported, and then boards it, where its interior may be.
    std::vector<std::string> console;
    std::vector<std::string> interiorConsole = {"sim.board @Kestrel"};
    for (const Refusal& refusal : refusals) {
        folder.WriteFile(fs::path("game/Data/ORBX/Plugins/Spaceships") / (refusal.name + ".txt"),
                         BlueprintText(refusal.lines));
        check.push_back(Blueprint(refusal.name));
        (refusal.importer == "ImportShipLayout" ? console : interiorConsole)
            .push_back(refusal.importer + " " + refusal.name);
    }
    console.insert(console.end(), interiorConsole.begin(), interiorConsole.end());
    folder.WriteFile("plugins.txt", "Outposts.vmf\r\nFrontier.vmf\r\nLanterns.vmf\r\nTrimwork.vmf\r\nCargo.vmf\r\n"
                                    "Deckhands.vmf\r\n");
    const json report = ToolJson(check, 1);
    const Lines lines = RunWorldFile(folder, SecondPlaythroughWorld(), console);

    for (std::size_t i = 0; i < refusals.size(); ++i) {
        const Refusal& refusal = refusals[i];
        SCOPED_TRACE(refusal.name);
        // What the game prints after the command: its failure line, then the report.
        const auto command = std::find(lines.begin(), lines.end(), "> " + refusal.importer + " " + refusal.name);
        ASSERT_TRUE(command != lines.end() && lines.end() - command >= 3);
        json problems = json::array();
        for (const json& problem : report["files"][i]["problems"]) {
            if (problem["importer"] == refusal.importer) problems.push_back(problem);
        }
        ASSERT_EQ(problems.size(), 1u) << report["files"][i]["problems"].dump(2);
        EXPECT_EQ(*(command + 2), problems[0]["report"]);
        const int line = refusal.line >= 0 ? refusal.line : static_cast<int>(2 + refusal.lines.size());
        EXPECT_EQ(problems[0]["line"], line == 0 ? json() : json(line));
    }
}

// A decoration item with every line, as the exporter writes it.
std::vector<std::string> ItemLines(int index, const std::string& base = "|0A3002|Veltrane.vmf") {
    const std::string key = "DecorItem[" + std::to_string(index) + "]";
    return {key + ".base " + base,       key + ".fPosX |1.000000", key + ".fPosY |2.000000",
            key + ".fPosZ |0.500000",    key + ".fRotX |0.000000", key + ".fRotY |0.000000",
            key + ".fRotZ |90.000000",   key + ".fScale |1.000000"};
}

std::vector<std::string> Edited(std::vector<std::string> lines, const std::string& from, const std::string& to) {
    const auto line = std::find(lines.begin(), lines.end(), from);
    if (line == lines.end()) throw std::runtime_error("no line " + from);
    if (to.empty()) {
        lines.erase(line);
    } else {
        *line = to;
    }
    return lines;
}

// A hand edit, what check says of it and what the game does with it.
struct HandEdit {
    std::string name;
    std::vector<std::string> lines;
    // What check warns the game reads otherwise, which the game's warning
    // names too; empty for none.
    std::string readOtherwise;
    bool gameRefuses = false;
    // The lines refused only because the refused one was.
    std::size_t followingLines = 0;
    std::string before = {};  // bytes before the first line
};

TEST_F(BlueprintTool, EachHandEdit_IsWarnedOfOrRefusedByCheck_AsTheGameReadsIt) {
    const std::vector<std::string> item = ItemLines(0);
    std::vector<std::string> twoItems = ItemLines(0);
    for (const std::string& line : ItemLines(1)) twoItems.push_back(line);
    const std::vector<HandEdit> edits = {
        {"Comma", Edited(item, item[1], "DecorItem[0].fPosX |1,5"), "DecorItem[0].fPosX |1,5 is read as 1"},
        {"NoPosY", Edited(item, item[2], ""), "DecorItem[0] has no fPosY line"},
        {"ScaleBelow", Edited(item, item[7], "DecorItem[0].fScale |-1"), "DecorItem[0].fScale |-1 is taken as 0"},
        {"ScaleAbove", Edited(item, item[7], "DecorItem[0].fScale |1000"),
         "DecorItem[0].fScale |1000 is taken as 655.35"},
        {"BlankAfterFile", Edited(item, item[0], item[0] + " "), ""},
        {"LetterO", Edited(item, item[0], "DecorItem[0].base |0A3O02|Veltrane.vmf"),
         "DecorItem[0].base |0A3O02|Veltrane.vmf looks for the form 0000A3", true},
        {"ByteOrderMark", item, "", false, 0, "\xEF\xBB\xBF"},
        {"NoBase", Edited(twoItems, twoItems[8], ""), "", true, 6},
    };
    std::vector<std::string> check = {"check", "--json"};
    std::vector<std::string> console = {"sim.board @Kestrel"};
    for (const HandEdit& edit : edits) {
        folder.WriteFile(fs::path("game/Data/ORBX/Plugins/Spaceships") / (edit.name + ".txt"),
                         edit.before + BlueprintText(edit.lines));
        check.push_back(Blueprint(edit.name));
        console.push_back("ImportShipInterior " + edit.name);
    }
    const json report = ToolJson(check, 1);
    const Lines lines = RunWorldFile(folder, SecondPlaythroughWorld(), console);

    for (std::size_t i = 0; i < edits.size(); ++i) {
        const HandEdit& edit = edits[i];
        SCOPED_TRACE(edit.name);
        const json& file = report["files"][i];
        const auto command = std::find(lines.begin(), lines.end(), "> ImportShipInterior " + edit.name);
        ASSERT_TRUE(lines.end() - command >= 3);
        // The blueprints have no layout, which only ImportShipLayout refuses.
        json problems = json::array();
        for (const json& problem : file["problems"]) {
            if (problem["importer"] == "ImportShipInterior") problems.push_back(problem);
        }
        json readOtherwise = json::array();
        for (const json& warning : file["warnings"]) {
            if (warning["kind"] == "readOtherwise") readOtherwise.push_back(warning["message"]);
        }
        EXPECT_EQ(readOtherwise, edit.readOtherwise.empty() ? json::array() : json::array({edit.readOtherwise}));
        const std::string& said = *(command + 1);
        if (!edit.gameRefuses) {
            EXPECT_EQ(problems, json::array());
            if (edit.readOtherwise.empty()) {
                EXPECT_EQ(said, "ImportShipInterior: INFO: ship interior successfully imported.");
            } else {
                EXPECT_TRUE(said.starts_with("ImportShipInterior: WARNING: 1 ")) << said;
                EXPECT_TRUE(said.ends_with(": " + edit.readOtherwise)) << said;
            }
            continue;
        }
        EXPECT_EQ(said, "ImportShipInterior: ERROR: ship interior couldn't be imported.");
        if (edit.followingLines == 0) {
            // check cannot know which forms a data file holds; the game looks for the form check names,
            // and says so.
            EXPECT_EQ(*(command + 2), "[Error in phase: importing DecorItem|base at " + edit.lines[0] + "]");
            EXPECT_TRUE((command + 3)->ends_with("so the game looks for the form 0000A3)")) << *(command + 3);
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << problems.dump(2);
        EXPECT_EQ(problems[0]["report"], *(command + 2));
        EXPECT_EQ(problems[0]["followingLines"], edit.followingLines);
    }
    // A byte-order mark hides no line from the other commands either.
    EXPECT_EQ(ToolJson({"info", "--json", Blueprint("ByteOrderMark")}, 0)["ship"]["name"], "Test");
}

TEST_F(BlueprintTool, CommandLinesThatAskForNothingItCanDo_AreUsageErrors) {
    EXPECT_EQ(Tool({}).exitCode, 2);
    EXPECT_EQ(Tool({"check"}).exitCode, 2);
    EXPECT_EQ(Tool({"render", "Ship.txt"}).exitCode, 2);
    EXPECT_EQ(Tool({"diff", "A.txt"}).exitCode, 2);
    EXPECT_EQ(Tool({"info", "Missing.txt"}).exitCode, 2);
    EXPECT_EQ(Tool({"inspect", "Ship.txt"}).exitCode, 2);
    const ProcessResult help = Tool({"render", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("-o,--output"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace e2e
