// Both builds agree: the same scenarios, run on the Linux build and on the
// Windows build under Wine, leave the same console transcripts, world dumps,
// blueprints, backups and settings files, byte for byte, except for the
// differences listed below with their reasons. Players run the Windows DLL;
// the tests run the Linux build most.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/LargeShipWorld.h"
#include "tests/e2e/InteriorWorld.h"
#include "tests/e2e/ShipWorld.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/Text.h"
#include "tests/parity/ScenarioRun.h"

namespace parity {
namespace {

namespace fs = std::filesystem;

// --- What may differ, and why -------------------------------------------------

struct AcceptedDifference {
    // The results it applies to, by their names.
    std::regex results;
    std::regex text;
    // What the text is compared as.
    std::string as;
};

const std::vector<AcceptedDifference>& AcceptedDifferences() {
    static const std::vector<AcceptedDifference> accepted = {
        // The Windows C runtime writes standard output and standard error in
        // text mode, where a line ends with CR LF.
        {std::regex(" (console|errors)$"), std::regex("\r\n"), "\n"},
        // The loader names the plug-in's file: Corvanis.so on Linux,
        // Corvanis.dll on Windows.
        {std::regex(" console$"), std::regex(R"(Corvanis\.(so|dll))"), "Corvanis.<module>"},
        // A blueprint's export time, and its X values: the identities of
        // objects of the running game, which no reader reads.
        {std::regex(R"(\.txt$)"), std::regex("Export time: [^\r\n]*"), "Export time: <time>"},
        {std::regex(R"(\.txt$)"), std::regex(R"((\]\.itemExtra \|)[0-9A-F]+)"), "$1<X>"},
        // A backup's name holds the local time it was written at, and a
        // number when another backup of the ship was written in the same
        // second: the builds run at other times. (The backups' files are
        // told apart by the order they were written in, below.)
        {std::regex(" console$"),
         std::regex(R"( before (interior )?import \d{4}-\d\d-\d\d \d\d-\d\d-\d\d( \(\d+\))?)"),
         " before $1import <time>"},
        // A form description in an error text shows where the object lies
        // in memory; the log holds the console's lines.
        {std::regex("( console|Corvanis\\.log)$"), std::regex(R"(\[([0-9A-F]{8}) \| [0-9A-F]+ \|)"),
         "[$1 | <address> |"},
        // Each line of the log starts with the local time it was written at.
        {std::regex(R"(Corvanis\.log$)"), std::regex(R"((^|\n)\d{4}-\d\d-\d\d \d\d:\d\d:\d\d )"), "$1<time> "},
    };
    return accepted;
}

std::string Comparable(const std::string& name, std::string text) {
    for (const AcceptedDifference& difference : AcceptedDifferences()) {
        if (std::regex_search(name, difference.results)) text = std::regex_replace(text, difference.text, difference.as);
    }
    return text;
}

const std::regex kBackupTime(R"( before (interior )?import (\d{4}-\d\d-\d\d \d\d-\d\d-\d\d)(?: \((\d+)\))?)");

// The backups' files by the order each ship's were written in: by their
// times, and within one second by their numbers (the first has none). Their
// names may differ between the builds, their order may not.
std::map<std::string, std::string> BackupPaths(const Results& results) {
    // By ship and occasion, the backups' times and numbers, and their paths.
    std::map<std::string, std::vector<std::pair<std::pair<std::string, int>, std::string>>> written;
    std::set<std::string> seen;
    for (const auto& entry : results) {
        const std::size_t file = entry.first.find(" file ");
        std::smatch match;
        if (file == std::string::npos) continue;
        const std::string path = entry.first.substr(file + 6);
        if (!std::regex_search(path, match, kBackupTime) || !seen.insert(path).second) continue;
        const int number = match[3].matched ? std::stoi(match[3].str()) : 1;
        written[match.prefix().str() + match[1].str()].push_back({{match[2].str(), number}, path});
    }
    std::map<std::string, std::string> renamed;
    for (auto& [ship, backups] : written) {
        std::sort(backups.begin(), backups.end());
        for (std::size_t i = 0; i < backups.size(); ++i) {
            renamed[backups[i].second] = std::regex_replace(backups[i].second, kBackupTime,
                                                            " before $1import <backup " + std::to_string(i + 1) + ">");
        }
    }
    return renamed;
}

Results Comparable(const Results& results) {
    const std::map<std::string, std::string> backups = BackupPaths(results);
    Results comparable;
    for (const auto& [name, text] : results) {
        std::string comparableName = name;
        const std::size_t file = name.find(" file ");
        if (file != std::string::npos) {
            const auto backup = backups.find(name.substr(file + 6));
            if (backup != backups.end()) comparableName = name.substr(0, file + 6) + backup->second;
        }
        comparable[comparableName] = Comparable(name, text);
    }
    return comparable;
}

// The first line where two texts differ, for a message a person can read.
std::string FirstDifference(const std::string& linux, const std::string& windows) {
    const e2e::Lines a = e2e::SplitLines(linux);
    const e2e::Lines b = e2e::SplitLines(windows);
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string left = i < a.size() ? a[i] : "(no line)";
        const std::string right = i < b.size() ? b[i] : "(no line)";
        if (left != right) return "line " + std::to_string(i + 1) + ":\n  linux:   " + left + "\n  windows: " + right;
    }
    return "the line ends differ";
}

// --- The scenarios ------------------------------------------------------------

std::string Example(const std::string& name) { return e2e::ReadBytes(e2e::ExamplesFolder() / "worlds" / name); }

std::string Starter() { return Example("starter.json"); }
std::string SecondPlaythrough() { return Example("second-playthrough.json"); }

const std::string kSpaceships = "Data/ORBX/Plugins/Spaceships/";

// The starter ship exported in the first playthrough, as every journey
// begins.
Step ExportPathfinder() { return {Starter(), {}, ConsoleLines({"ExportShip Pathfinder"})}; }

// The command that imports the backup whose name begins so.
std::function<std::vector<std::string>(const fs::path&)> ImportBackup(const std::string& command,
                                                                      const std::string& beginning,
                                                                      std::vector<std::string> after) {
    return [=](const fs::path& game) {
        std::vector<std::string> lines;
        for (const auto& entry : fs::directory_iterator(game / kSpaceships / "Backups")) {
            const std::string name = entry.path().stem().string();
            if (name.starts_with(beginning)) lines.push_back(command + " \"Backups\\" + name + "\"");
        }
        EXPECT_EQ(lines.size(), 1u) << beginning;
        lines.insert(lines.end(), after.begin(), after.end());
        return lines;
    };
}

std::string Blueprint(const std::vector<std::string>& lines) {
    std::string text =
        "Ship: Odd [FormID: ] [EditorID: ] \r\nExport time: 2026-01-01 00:00:00.00000\r\nVersion: 2.00\r\n\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// What makes a module whole: its item.
const std::string kModuleItem = "Blueprint.data[0].item |0A2000|Veltrane.vmf";

// Number texts a player's hand edit may leave, each read by both builds'
// conversions: a module's position; whole numbers of the blueprint, a
// traversal and a module, signed and unsigned, 32 and 64 bits wide. The
// world is dumped after each import.
Scenario NumberTexts() {
    Scenario scenario{"number texts", {}};
    const std::vector<std::string> floats = {" +1.5e3", "0x1.8p1", "INF", "-nan", "-0", "1e-40", "3.5e38",
                                             "1,5",     "1.",      ".5",  "2.5x", "1e39", "0000000000000001.25"};
    const std::vector<std::string> wholes = {"2147483647", "2147483648", "-1", "4294967295", "4294967296", " 12", "1e3"};
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> console;
    for (std::size_t i = 0; i < floats.size(); ++i) {
        const std::string name = "Float" + std::to_string(i);
        files.push_back({kSpaceships + name + ".txt", Blueprint({"Blueprint.data[0].fPosX |" + floats[i], kModuleItem})});
        console.insert(console.end(), {"ImportShipLayout " + name, "sim.dump " + name + ".json"});
    }
    for (std::size_t i = 0; i < wholes.size(); ++i) {
        const std::string name = "Whole" + std::to_string(i);
        files.push_back({kSpaceships + name + ".txt",
                         Blueprint({"QRNStoredTraversalData.traversals1[0].unk00 |1", "Blueprint.unk08 |" + wholes[i],
                                    "QRNStoredTraversalData.traversals1[0].traversal |0A0150|Veltrane.vmf",
                                    "QRNStoredTraversalData.traversals1[0].unk0C |" + wholes[i],
                                    "QRNStoredTraversalData.traversals1[0].uUnknown38 |" + wholes[i],
                                    "Blueprint.data[0].fPosX |0", "Blueprint.data[0].partID |" + wholes[i],
                                    "Blueprint.data[0].unkA0 |" + wholes[i], "Blueprint.data[0].unkA4 |" + wholes[i],
                                    kModuleItem})});
        console.insert(console.end(), {"ImportShipLayout " + name, "sim.dump " + name + ".json"});
    }
    scenario.steps.push_back({SecondPlaythrough(), files, ConsoleLines(console)});
    return scenario;
}

Scenario InteriorRefusals() {
    e2e::InteriorWorld world;
    world.forms.push_back(R"({"id": "Veltrane.vmf:0A3030", "type": 40, "name": "Relic", "placement": "refused"})");
    const std::string mug = "DecorItem[0].base |0A3002|Veltrane.vmf";
    const std::vector<std::pair<std::string, std::vector<std::string>>> blueprints = {
        {"Swapped", {"DecorItem[1].base |0A3002|Veltrane.vmf", mug}},
        {"NoNumber", {mug, "DecorItem[0].fPosX |abc"}},
        {"Infinite", {mug, "DecorItem[0].fScale | -inf"}},
        {"NoFile", {"DecorItem[0].base |0A3002|Missing.vmf"}},
        {"Refused", {mug, "DecorItem[1].base |0A3030|Veltrane.vmf"}},
        {"Vanishing", {mug, "DecorItem[1].base |0A3022|Veltrane.vmf"}},
    };
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> console;
    for (const auto& [name, lines] : blueprints) {
        files.push_back({kSpaceships + name + ".txt", e2e::BlueprintText(lines)});
        console.push_back("ImportShipInterior " + name);
    }
    console.insert(console.end(), {"ImportShipInterior Missing", "sim.cell", "sim.leave", "ImportShipInterior Swapped"});
    return {"interior import refusals", {{world.Text(), files, ConsoleLines(console)}}};
}

Scenario FormatTexts() {
    e2e::ShipWorld world;
    world.Form(R"({"id": "@Loose", "formID": "FF0A0001", "type": 40, "name": "Loose %n %s %%"})");
    world.Ship(e2e::TestShip("Cargo").WithItems({R"({"id": "@Item", "base": "@Loose"})"}));
    world.Ship(e2e::TestShip("Outside").WithExteriorInterior(R"(, "name": "Yard %n %s %%")"));
    std::vector<std::string> console;
    for (const char* text : {"%n", "%s", "%%"}) {
        const std::string name = std::string("\"Ship ") + text + "\"";
        console.insert(console.end(), {"ExportShip " + name, "ExportShip " + name, "ImportShipInterior " + name});
    }
    console.insert(console.end(), {"sim.board @Outside", "ExportShip Outside"});
    return {"texts like formats",
            {{Starter(), {}, ConsoleLines(console)},
             {world.Text(), {}, ConsoleLines({"sim.board @Cargo", "ExportShip Cargo", "sim.board @Outside", "ExportShip Outside"})},
             {SecondPlaythrough(),
              {{kSpaceships + "Lines.txt", Blueprint({"DisplayName |Ship %n %s %%", "Version: %s"})},
               {kSpaceships + "Named.txt", Blueprint({"DisplayName |Ship %n %s %%"})}},
              ConsoleLines({"ImportShipLayout \"Missing %n\"", "ImportShipLayout Lines", "ImportShipLayout Named",
                     "ImportShipLayout Named", "sim.ships"})}}};
}

std::vector<Scenario> Scenarios() {
    const std::string oddSettings =
        "; a player's settings, edited by hand\r\n[export]\r\n bInventoryItemTypes = 0 \r\nbWorkshopItems=\"1\"\r\n"
        "bSkipBOOK=1 ; no books\r\nbSkipWEAP = '1'\r\n[Misc]\r\nbAlwaysReloadSettingsOnCommand=1\n[Piloting]\n"
        "bNoPilotingSkillRequirement=1";
    return {
        {"export of the starter ship, and the settings file made with its defaults",
         {{Starter(), {}, ConsoleLines({"ExportShip Pathfinder", "sim.memory", "sim.pilotform"})}}},
        {"export under a settings file a player edited",
         {{Starter(),
           {{"Data/ORBX/Plugins/Corvanis.ini", oddSettings}},
           ConsoleLines({"sim.pilotform", "sim.pilotcheck", "ExportShip Settings"})}}},
        {"export refusals",
         {{Starter(),
           {{kSpaceships + "Folder.txt/inside.txt", "a folder where the blueprint would go"}},
           ConsoleLines({"ExportShip", "ExportShip " + std::string(600, 'x'), "ExportShip \"open", "ExportShip Twice",
                  "ExportShip Twice", "ExportShip \"a/b\\c<d>e|f?g*h\"", "ExportShip \"Mk2: Rebirth\"",
                  "ExportShip Folder", "ExportShip \"" + std::string(240, 'L') + "\"", "sim.leave",
                  "ExportShip Outside"})}}},
        {"export of a large ship", {{dev_support::LargeShipWorld(), {}, ConsoleLines({"ExportShip Large"})}}},
        {"layout import and its undo",
         {ExportPathfinder(),
          {SecondPlaythrough(), {}, ConsoleLines({"ImportShipLayout Pathfinder", "sim.components @Kestrel", "sim.ships"})},
          {{}, {}, ImportBackup("ImportShipLayout", "Kestrel layout ", {"sim.components @Kestrel"})}}},
        {"layout import refusals",
         {ExportPathfinder(),
          {SecondPlaythrough(),
           {{kSpaceships + "Future.txt", "Version: 3.00\r\nDisplayName |Future\r\n"},
            {kSpaceships + "BadLine.txt", Blueprint({"Blueprint.data[0].fPosX |abc"})},
            {kSpaceships + "Blank.txt", "\r\n\r\n\n"},
            {kSpaceships + "Keyword.txt", Blueprint({"QRNKeywordForm[0] |0A0150|Veltrane.vmf"})},
            {kSpaceships + "Gap.txt", Blueprint({"Blueprint.data[1].fPosX |1.0"})}},
           ConsoleLines({"sim.board @Kestrel", "ImportShipLayout Pathfinder", "sim.leave", "ImportShipLayout Missing",
                  "ImportShipLayout Future", "ImportShipLayout BadLine", "ImportShipLayout Keyword",
                  "ImportShipLayout Gap", "ImportShipLayout Blank", "sim.components @Kestrel"})}}},
        {"layout import of odd bytes: a lone CR, a 0x1A, a line without its end",
         {{SecondPlaythrough(),
           {{kSpaceships + "Odd.txt", "Version: 2.00\r\nDisplayName |Odd\rName \x1A end\r\nKORFullName.fullName |"
                                      "Full\nKORModel.model |Ships\\Odd.nif"}},
           ConsoleLines({"ImportShipLayout Odd", "sim.ships", "sim.components @Kestrel"})}}},
        NumberTexts(),
        {"interior import and its undo",
         {ExportPathfinder(),
          {SecondPlaythrough(), {}, ConsoleLines({"sim.board @Kestrel", "ImportShipInterior Pathfinder", "sim.cell"})},
          {{}, {}, ImportBackup("ImportShipInterior", "Kestrel interior ", {"sim.cell"})}}},
        InteriorRefusals(),
        {"the journey: export, layout, interior, export again",
         {ExportPathfinder(),
          {SecondPlaythrough(),
           {},
           ConsoleLines({"ImportShipLayout Pathfinder", "sim.board @Kestrel", "ImportShipInterior Pathfinder",
                  "ExportShip Rebuilt", "sim.memory"})}}},
        FormatTexts(),
    };
}

// --- The test -------------------------------------------------------------------

class BothBuilds : public ::testing::TestWithParam<Scenario> {};

TEST_P(BothBuilds, RunTheScenario_WithTheSameTranscriptsDumpsAndFiles) {
    GameBuild windows;
    std::string missing;
    ASSERT_TRUE(FindWindowsBuild(windows, missing)) << missing;
    const Scenario& scenario = GetParam();
    const Results linux = Comparable(RunScenario(scenario, LinuxBuild()));
    const Results other = Comparable(RunScenario(scenario, windows));

    // Both builds ran the scenario to its end.
    for (std::size_t run = 1; run <= scenario.steps.size(); ++run) {
        EXPECT_EQ(linux.at("run " + std::to_string(run) + " exit code"), "0") << "run " << run;
        EXPECT_EQ(linux.at("run " + std::to_string(run) + " errors"), "") << "run " << run;
    }
    std::set<std::string> names;
    for (const Results* results : {&linux, &other}) {
        for (const auto& entry : *results) names.insert(entry.first);
    }
    for (const std::string& name : names) {
        const auto a = linux.find(name);
        const auto b = other.find(name);
        if (a == linux.end() || b == other.end()) {
            ADD_FAILURE() << name << ": only the " << (a == linux.end() ? "windows" : "linux") << " build has it";
        } else if (a->second != b->second) {
            ADD_FAILURE() << name << " differs at " << FirstDifference(a->second, b->second);
        }
    }
}

// "export of a large ship" runs as ExportOfALargeShip.
std::string TestName(const ::testing::TestParamInfo<Scenario>& info) {
    std::string name;
    bool wordStart = true;
    for (const char c : info.param.name) {
        const bool letter = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (letter) name += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        wordStart = !letter;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, BothBuilds, ::testing::ValuesIn(Scenarios()), TestName);

}  // namespace
}  // namespace parity
