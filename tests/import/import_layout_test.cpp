// ImportShipLayout in-process against the second playthrough: the home ship
// checks in their order, what an import changes, that every refusal leaves
// the world as it was and writes no backup, what the backup is called, and
// single-line mutations of a real blueprint.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export/ExportShip.h"
#include "export/ShipBlueprintFile.h"
#include "host/layouts/ShipComponents.h"
#include "import/ImportShipLayout.h"
#include "import/ShipBackup.h"
#include "platform/platform.h"
#include "sim/Game.h"
#include "sim/memory/GameMemory.h"
#include "support/ScratchFolder.h"
#include "tests/support/CommaLocale.h"
#include "tests/support/ExportedBlueprint.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/InProcessGame.h"

namespace {

namespace fs = std::filesystem;
using corvanis_test::FailingFileSystem;
using corvanis_test::FileOperation;
using Lines = std::vector<std::string>;
using nlohmann::json;

const std::string kImported =
    "ImportShipLayout: INFO: ship layout successfully imported. Please modify the imported ship at a Ship Services "
    "Technician before flying it (any kind of modification will do). Fly it manually first (i.e. not with Fast "
    "Travel).";
const std::string kNotImported = "ImportShipLayout: ERROR: ship layout couldn't be imported.";
const std::string kUndoLine = "ImportShipLayout: INFO: the previous layout was saved; to undo, run: ImportShipLayout ";

std::string SecondPlaythrough() {
    static const std::string text = [] {
        std::ifstream in(CORVANIS_EXAMPLE_WORLDS "/second-playthrough.json", std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

Lines SplitLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string PhaseLine(const std::string& phase, const std::string& text = {}) {
    return "[Error in phase: " + phase + (text.empty() ? "" : " | Extra error text: " + text) + "]";
}

class LayoutImport : public testing::Test {
protected:
    void SetUp() override {
        blueprint = corvanis_test::PathfinderBlueprint();
        corvanis_test::LoadWorld(SecondPlaythrough());
        console.Take();
    }

    Lines Import(const std::string& name, platform::FileSystem& files = platform::SystemFiles()) {
        Corvanis::RunImportShipLayout({name, Corvanis::kDefaultSettings}, folder.PluginPath(), files);
        return console.Take();
    }

    Lines ImportText(const std::string& bytes, platform::FileSystem& files = platform::SystemFiles()) {
        folder.WriteFile("Ship.txt", bytes);
        return Import("Ship", files);
    }

    Lines Backups() const {
        Lines names;
        if (!fs::exists(folder.Native("Backups"))) return names;
        for (const auto& entry : fs::directory_iterator(folder.Native("Backups"))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static json Components() {
        const json world = json::parse(sim::DumpWorldToText());
        for (const json& form : world["forms"]) {
            if (form["id"] == "@KestrelBase") return form["components"];
        }
        ADD_FAILURE() << "no @KestrelBase";
        return {};
    }

    static host::Form* HomeShip() { return host::Game().GetPlayerHomeShip(); }

    std::string blueprint;
    dev_support::ScratchFolder folder;
    corvanis_test::ConsoleLines console;
};

TEST_F(LayoutImport, TheHomeShipChecks_RefuseInTheirOrder_BeforeAnyFileIsLookedFor) {
    const std::string world = SecondPlaythrough();
    const std::string kestrelKeywords = R"("type": 65,
      "name": "Kestrel",)";
    const std::string references = R"(
  "references": [)";
    const std::string extraShips = references + R"(
    {"id": "@Hulk", "base": null},
    {"id": "@Crate", "base": "CoffeeMug"},
    {"id": "@Frontier", "base": "FrontierHullA"},)";
    const std::string noKeyword =
        "ImportShipLayout: INFO: the game's data files lack a keyword every layout import checks ships with, so no "
        "layout can be imported with them";
    const std::string noShipForm =
        "ImportShipLayout: INFO: the game gives no ship form for your home ship, so its layout cannot change: select "
        "another ship as home ship";
    // The refusal, then why with what to do, where the refusal does not say it.
    const struct {
        std::string world;
        Lines lines;
    } cases[] = {
        {Replaced(world, R"("homeShip": "@Kestrel",)", ""),
         {"ImportShipLayout: ERROR: Homeship ref is nullptr.",
          "ImportShipLayout: INFO: you have no home ship: make the ship you want to change your home ship, then "
          "import again"}},
        {Replaced(world, R"(3413F3", "type": 4)", R"(3413F3", "type": 40)"),
         {"ImportShipLayout: INTERNAL ERROR: 01.", noKeyword}},
        {Replaced(world, R"(33DB7A", "type": 4)", R"(33DB7A", "type": 109)"),
         {"ImportShipLayout: INTERNAL ERROR: 02.", noKeyword}},
        {Replaced(world, kestrelKeywords, kestrelKeywords + R"( "keywords": ["LumenkinShip", "ShipNotModifiable"],)"),
         {"ImportShipLayout: ERROR: Homeship is not modifiable. Please select another ship as homeship."}},
        {Replaced(world, kestrelKeywords, kestrelKeywords + R"( "keywords": ["LumenkinShip"],)"),
         {"ImportShipLayout: ERROR: Homeship is a Lumenkin ship. Please select another ship as homeship."}},
        {Replaced(Replaced(world, R"("homeShip": "@Kestrel")", R"("homeShip": "@Hulk")"), references, extraShips),
         {"ImportShipLayout: ERROR: Homeship base is nullptr.", noShipForm}},
        {Replaced(Replaced(world, R"("homeShip": "@Kestrel")", R"("homeShip": "@Crate")"), references, extraShips),
         {"ImportShipLayout: ERROR: Homeship base is not QRNGenericBaseForm. | FormType: 40", noShipForm}},
        {Replaced(Replaced(world, R"("homeShip": "@Kestrel")", R"("homeShip": "@Frontier")"), references, extraShips),
         {"ImportShipLayout: ERROR: Homeship base is not runtime created. Modify the Homeship at a Ship Services "
          "Technician first to allow importing a ship layout to it (any kind of modification will do)."}},
        {world,
         {"ImportShipLayout: ERROR: no file exists at [" + folder.PluginPath() + "Missing.txt]",
          "ImportShipLayout: INFO: blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships in the game "
          "folder: give the name without .txt, in quotes when it has blanks"}},
    };
    for (const auto& check : cases) {
        corvanis_test::LoadWorld(check.world);
        EXPECT_EQ(Import("Missing"), check.lines);
    }
    sim::RunConsoleLine("sim.board @Kestrel");
    console.Take();
    folder.WriteFile("Ship.txt", blueprint);
    const std::string before = sim::DumpWorldToText();
    EXPECT_EQ(Import("Ship"), (Lines{"ImportShipLayout: ERROR: Player is currently in the Homeship.",
                                     "ImportShipLayout: INFO: the layout of a ship you are aboard cannot change: "
                                     "leave the home ship first, then import again"}));
    EXPECT_EQ(sim::DumpWorldToText(), before);
    EXPECT_EQ(Backups(), Lines{});
}

TEST_F(LayoutImport, TheStarterShip_ReplacesTheComponentsAndTheName_WhileThePlayerIsAboardAnotherShip) {
    sim::RunConsoleLine("sim.board @Starborne");
    console.Take();
    const Lines lines = ImportText(blueprint);
    ASSERT_EQ(Backups().size(), 1u);
    const std::string backup = Backups()[0].substr(0, Backups()[0].size() - 4);
    EXPECT_EQ(lines, (Lines{kImported, kUndoLine + "\"Backups\\" + backup + "\""}));
    EXPECT_EQ(backup, "Kestrel layout 1");

    const json components = Components();
    EXPECT_EQ(components["KORFullName_Component"]["fullName"], "Pathfinder");
    // One registration entry, the last, although the blueprint holds one.
    EXPECT_EQ(components["QRNPropertySheet_Component"]["sheet"],
              json::parse(R"([{"first": "Veltrane.vmf:0A0120", "second": null, "third": 1.5},
                              {"first": "Veltrane.vmf:0A0121", "second": "Veltrane.vmf:0A0120", "third": 250.0},
                              {"first": "Veltrane.vmf:0C55B1", "second": null, "third": 1.0}])"));
    // The attach parents stay the ship's own; container entries carry no
    // item extra.
    EXPECT_EQ(components["QRNAttachParentArray_Component"]["keywords"], json::parse(R"(["Veltrane.vmf:0A0110"])"));
    for (const json& entry : components["KORContainer_Component"]["entries"]) EXPECT_TRUE(entry["itemExtra"].is_null());
    EXPECT_EQ(components["QRNStoredTraversals_Component"]["traversals2"].size(), 2u);
    EXPECT_EQ(components["Blueprint_Component"]["data"].size(), 4u);
    const veltrane::GameInterface& game = host::Game();
    EXPECT_STREQ(game.ExtraGetOverrideName(game.RefGetExtraDataList(HomeShip())), "Pathfinder");
}

TEST_F(LayoutImport, EveryRefusalOfTheReader_LeavesTheWorldAsItWas_AndWritesNoBackup) {
    const auto why = [](const std::string& reason) { return "ImportShipLayout: INFO: " + reason; };
    // The line changed, then what the player reads after the failure line.
    const struct {
        std::string from;
        std::string to;
        Lines lines;
    } cases[] = {
        {"Version: 2.00", "Version: 3.00",
         {PhaseLine("importing Version at Version: 3.00",
                    "blueprint's version [3.00] is higher than the version supported by the importer [2.00], please "
                    "update Corvanis")}},
        {"QRNKeywordForm[0] |0A0102|Veltrane.vmf", "QRNKeywordForm[0] |0A0160|Veltrane.vmf",
         {PhaseLine("importing QRNKeywordForm at QRNKeywordForm[0] |0A0160|Veltrane.vmf"),
          why("the form is not of the kind this line needs")}},
        {"QRNAttachParentArray[1] |0A0111|Veltrane.vmf", "QRNAttachParentArray[1] |0A0130|Veltrane.vmf",
         {PhaseLine("importing QRNAttachParentArray at QRNAttachParentArray[1] |0A0130|Veltrane.vmf"),
          why("the form is not of the kind this line needs")}},
        {"Blueprint.data[1].item |000801|Frontier.vmf", "Blueprint.data[1].item |000801|Elsewhere.vmf",
         {PhaseLine("importing Blueprint|data|item at Blueprint.data[1].item |000801|Elsewhere.vmf"),
          why("the form's data file is not loaded"),
          why("this blueprint needs data files that are not loaded: Elsewhere.vmf (1 line)")}},
        {"Blueprint.data[2].fPosX |0.000000", "Blueprint.data[3].fPosX |0.000000",
         {PhaseLine("importing Blueprint|data|fPosX at Blueprint.data[3].fPosX |0.000000"),
          why("the index is neither the next element's nor an earlier element's")}},
        {"QRNPropertySheet[1].third |250.000000", "QRNPropertySheet[1].third |,5",
         {PhaseLine("importing QRNPropertySheet at QRNPropertySheet[1].third |,5"), why("the value is not a number")}},
        {"KORContainer[1].count |1", "KORContainer[1].count |2147483648",
         {PhaseLine("importing KORContainer|count at KORContainer[1].count |2147483648"),
          why("the value is not a whole number that the field holds")}},
        // A module without its item never reaches the game.
        {"Blueprint.data[1].item |000801|Frontier.vmf\r\n", "",
         {PhaseLine("importing Blueprint|data|item at Blueprint.data[1].fPosX |0.000000"),
          why("the element has no item line")}},
    };
    const std::string before = sim::DumpWorldToText();
    for (const auto& check : cases) {
        Lines expected{kNotImported};
        expected.insert(expected.end(), check.lines.begin(), check.lines.end());
        EXPECT_EQ(ImportText(Replaced(blueprint, check.from, check.to)), expected);
        EXPECT_EQ(sim::DumpWorldToText(), before) << check.to;
    }
    // Every data file that refused lines lack is named at once, with their
    // number, however each line spells its name; cargo of a missing file is
    // left out, not counted.
    std::string lacking = blueprint;
    for (const auto& [from, to] :
         {std::pair{"data[0].item |0A2000|Veltrane.vmf", "data[0].item |0A2000|Gone.vmf"},
          std::pair{"data[1].item |000801|Frontier.vmf", "data[1].item |000801|Lost.vmf"},
          std::pair{"data[2].item |803|Trimwork.vmf", "data[2].item |803|GONE.VMF"},
          std::pair{"KORContainer[0].obj |0A3002|Veltrane.vmf", "KORContainer[0].obj |0A3002|Gone.vmf"}}) {
        lacking = Replaced(lacking, from, to);
    }
    EXPECT_EQ(ImportText(lacking),
              (Lines{kNotImported,
                     PhaseLine("importing Blueprint|data|item at Blueprint.data[0].item |0A2000|Gone.vmf"),
                     why("the form's data file is not loaded"),
                     why("this blueprint needs data files that are not loaded: Gone.vmf (2 lines), Lost.vmf (1 "
                         "line)")}));
    EXPECT_EQ(sim::DumpWorldToText(), before);
    FailingFileSystem readOnly;
    readOnly.FailEvery(FileOperation::OpenForUpdate);
    EXPECT_EQ(ImportText(blueprint, readOnly),
              (Lines{kNotImported,
                     PhaseLine("preparing to import layout", "Bleuprint read error: !inputstream.is_open()"),
                     why("the blueprint file cannot be opened for changing, which the import asks for: make it "
                         "writable (not read-only) and close programs that hold it")}));
    EXPECT_EQ(sim::DumpWorldToText(), before);
    EXPECT_EQ(Backups(), Lines{});
}

TEST_F(LayoutImport, AFileThatIsNoBlueprint_OrGivesTheShipNoModule_IsRefused) {
    const std::string kPhase = "checking the blueprint as a whole";
    const std::string kNoBlueprint = "this file is no blueprint: none of its lines is one that an import reads";
    std::string utf16 = "\xFF\xFE";
    for (const char c : blueprint.substr(0, 400)) utf16 += std::string{c, '\0'};
    const struct {
        std::string bytes;
        std::string phaseLine;
    } cases[] = {
        {"", PhaseLine(kPhase, kNoBlueprint)},
        {"\r\n\r\n   \r\nHello, this is my ship!\r\n", PhaseLine(kPhase, kNoBlueprint)},
        {utf16, PhaseLine(kPhase, kNoBlueprint + " (it is saved as UTF-16, which Notepad calls \"Unicode\": save it "
                                                 "as UTF-8 instead)")},
        {blueprint.substr(0, blueprint.find("Blueprint.data[0]")),
         PhaseLine(kPhase, "the blueprint gives the ship no module (it has no \"Blueprint.data[0]\" lines), and a "
                           "ship cannot do without modules")},
    };
    const std::string before = sim::DumpWorldToText();
    for (const auto& check : cases) {
        EXPECT_EQ(ImportText(check.bytes), (Lines{kNotImported, check.phaseLine})) << check.bytes.size();
        EXPECT_EQ(sim::DumpWorldToText(), before);
    }
    EXPECT_EQ(Backups(), Lines{});
}

TEST_F(LayoutImport, AHomeShipTheFormatCannotCarry_IsImportedWithAWarningInsteadOfABackup) {
    corvanis_test::LoadWorld(Replaced(SecondPlaythrough(), R"("sheet": [
            {"first": "ShipHullStrength", "second": null, "third": 0.75}
          ])",
                                      R"("sheet": [])"));
    EXPECT_EQ(ImportText(blueprint),
              (Lines{kImported, "ImportShipLayout: WARNING: this import cannot be undone: the ship holds something "
                                "that no blueprint can carry, so no backup was written (size of QRNPropertySheet is "
                                "0)"}));
    EXPECT_EQ(Backups(), Lines{});
    EXPECT_EQ(Components()["QRNPropertySheet_Component"]["sheet"].size(), 3u);
}

TEST_F(LayoutImport, ABlueprintOlderThan200_GivesEachModuleItsOneByteUnk3C_AndAModuleAloneResetsEverythingElse) {
    const auto unk3CBytes = [] {
        auto* component = host::FindComponent<veltrane::BlueprintComponent>(host::Game().RefGetBaseObject(HomeShip()));
        std::vector<std::uint32_t> fields;
        for (const veltrane::BlueprintPartRecord& part : component->data) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &part.unk3C, sizeof bits);
            fields.push_back(bits);
        }
        return fields;
    };
    EXPECT_EQ(ImportText(Replaced(blueprint, "Version: 2.00\r\n", "")).front(), kImported);
    EXPECT_EQ(unk3CBytes(), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(ImportText(Replaced(blueprint, "Version: 2.00", "Version: 1.99")).front(), kImported);
    EXPECT_EQ(unk3CBytes(), (std::vector<std::uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(ImportText(blueprint).front(), kImported);
    EXPECT_EQ(unk3CBytes(), (std::vector<std::uint32_t>{0x3F000000, 0x3FC00000, 0x40200000, 0x40600000}));

    EXPECT_EQ(ImportText("Blueprint.data[0].fPosX |1\r\nBlueprint.data[0].item |0A2000|Veltrane.vmf\r\n").front(),
              kImported);
    json components = Components();
    EXPECT_EQ(components["Blueprint_Component"]["data"].size(), 1u);
    components["Blueprint_Component"]["data"] = json::array();
    EXPECT_EQ(components, json::parse(R"({
        "QRNAddToInventoryOnDestroy_Component": {"form": null},
        "QRNAnimationGraph_Component": {"rootAnimGraph": "", "rigFile": "", "animPath": "", "responseFile": ""},
        "QRNKeywordForm_Component": {"keywords": []},
        "QRNAttachParentArray_Component": {"keywords": ["Veltrane.vmf:0A0110"], "count": 1},
        "QRNPropertySheet_Component": {"sheet": [{"first": "Veltrane.vmf:0C55B1", "second": null, "third": 1.0}]},
        "QRNSpaceshipAIActor_Component": {"actor": null},
        "QRNLinkedVoiceType_Component": {"voice": null},
        "QRNSpaceshipWeaponBindings_Component": {"weaponSlot1": 0, "weaponSlot2": 0, "weaponSlot3": 0},
        "QRNSpaceshipHullCode_Component": {"hullCode": ""},
        "QRNStoredTraversals_Component": {"traversals1": [], "traversals2": []},
        "Blueprint_Component": {"unk08": 0, "unk10": "", "data": [], "unk28": 1, "unk30": 2, "unk38": 3, "unk3C": 4},
        "KORContainer_Component": {"entries": []},
        "KORFullName_Component": {"fullName": ""},
        "KORModel_Component": {"model": ""}})"));
    // Without a name in the blueprint the ship keeps the one it has.
    const veltrane::GameInterface& game = host::Game();
    EXPECT_STREQ(game.ExtraGetOverrideName(game.RefGetExtraDataList(HomeShip())), "Pathfinder");
}

TEST_F(LayoutImport, BackupNames_ComeFromTheShipsNames_HoldOnlyWhatFileNamesCan_AndNeverReplaceAFile) {
    using Corvanis::BackupShipName;
    host::Form* kestrel = HomeShip();
    host::Form* kestrelBase = host::Game().RefGetBaseObject(kestrel);
    host::Form* starborne = corvanis_test::FormWithID(0xFF000804);
    host::Form* starborneBase = host::Game().RefGetBaseObject(starborne);
    EXPECT_EQ(BackupShipName({kestrel, kestrelBase, "Mk2: Rebirth/\"1\"\t%n|.data[0]"}),
              "Mk2; Rebirth;;1;;%n;.data[0]");
    EXPECT_EQ(BackupShipName({kestrel, kestrelBase, ""}), "Kestrel");
    EXPECT_EQ(BackupShipName({starborne, starborneBase, ""}), "Homeship");
    // Cut short at a character's first byte.
    EXPECT_EQ(BackupShipName({kestrel, kestrelBase, std::string(99, 'x') + "\xC3\xA9" + "tail"}), std::string(99, 'x'));

    // Backups are numbered per ship and kind; a number that is taken, by a
    // backup or anything else, is passed over.
    fs::create_directories(folder.Native("Backups/Kestrel layout 2.txt"));
    folder.WriteFile("Backups/Kestrel layout 1.txt", "taken");
    folder.WriteFile("Backups/Kestrel interior 3.txt", "another kind");
    EXPECT_EQ(ImportText(blueprint), (Lines{kImported, kUndoLine + "\"Backups\\Kestrel layout 3\""}));
    EXPECT_EQ(folder.ReadFile("Backups/Kestrel layout 1.txt"), "taken");
    // The ship is called Pathfinder now.
    EXPECT_EQ(ImportText(blueprint).back(), kUndoLine + "\"Backups\\Pathfinder layout 1\"");
}

// The game runs out of memory at its 1st, 2nd, ... allocation during an
// import: each import either goes through whole, as one without a fault, or
// is refused with the world as it was.
TEST_F(LayoutImport, TheGameRunningOutOfMemoryAtAnyAllocation_ImportsWholeOrChangesNothing) {
    const std::string before = sim::DumpWorldToText();
    ASSERT_EQ(ImportText(blueprint).back(), kUndoLine + "\"Backups\\Kestrel layout 1\"");
    const json imported = Components();
    int refused = 0;
    for (std::uint64_t allocation = 1;; ++allocation) {
        SCOPED_TRACE(allocation);
        corvanis_test::LoadWorld(SecondPlaythrough());
        fs::remove_all(folder.Native("Backups"));
        sim::FailGameAllocation(allocation);
        const Lines lines = ImportText(blueprint);
        sim::FailGameAllocation(0);
        if (lines.front() == kImported) {
            EXPECT_EQ(Components(), imported);
            if (allocation > 40) break;
            continue;
        }
        ++refused;
        EXPECT_EQ(lines, (Lines{kNotImported, PhaseLine("making room for the new layout",
                                                        "the game has no memory left for the ship's new lists")}));
        EXPECT_EQ(sim::DumpWorldToText(), before);
        EXPECT_EQ(Backups(), Lines{});
    }
    EXPECT_GT(refused, 3);
}

TEST_F(LayoutImport, ANameExportedUnderItsSanitisedName_IsFound_AndTheNameAsTypedComesFirst) {
    folder.WriteFile("Mk2;Rebirth.txt", blueprint);
    EXPECT_EQ(Import("Mk2:Rebirth").front(), kImported);
    EXPECT_EQ(Import("Mk2?Rebirth").front(), kImported);
    fs::create_directories(folder.Native("Sub"));
    folder.WriteFile("Sub/Ship.txt", blueprint);
    folder.WriteFile("Sub;Ship.txt", Replaced(blueprint, "Version: 2.00", "Version: 9.00"));
    EXPECT_EQ(Import("Sub/Ship").front(), kImported);
    EXPECT_EQ(Import("Mk2|Other").front(),
              "ImportShipLayout: ERROR: no file exists at [" + folder.PluginPath() + "Mk2|Other.txt]");
}

TEST_F(LayoutImport, AProcessLocaleWithDecimalCommas_ImportsTheSameShip) {
    const std::string locale = corvanis_test::CommaLocale();
    if (locale.empty()) GTEST_SKIP() << "this system has no locale that writes decimal commas";
    ASSERT_EQ(ImportText(blueprint).front(), kImported);
    const json inC = Components();
    corvanis_test::LoadWorld(SecondPlaythrough());
    ASSERT_NE(std::setlocale(LC_ALL, locale.c_str()), nullptr);
    const Lines lines = ImportText(blueprint);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(lines.front(), kImported);
    EXPECT_EQ(Components(), inC);
}

// Every line of a real blueprint's layout corrupted, deleted, swapped with the
// next, given another index and pointed at another data file, one at a time:
// each import either succeeds and its undo line gives back the world as it
// was, or it changes nothing at all.
TEST_F(LayoutImport, EverySingleLineMutationOfARealBlueprint_ImportsAndUndoes_OrLeavesTheWorldAsItWas) {
    const Lines original = SplitLines(blueprint);
    const std::string before = sim::DumpWorldToText();
    int imported = 0;
    int refused = 0;
    const auto check = [&](const Lines& mutated, const std::string& what) {
        const Lines lines = ImportText(JoinLines(mutated));
        if (lines.size() >= 2 && lines[lines.size() - 2] == kImported) {
            ++imported;
            ASSERT_EQ(lines.back(), kUndoLine + "\"Backups\\Kestrel layout 1\"") << what;
            EXPECT_EQ(Import("Backups\\Kestrel layout 1").front(), kImported) << what;
            EXPECT_EQ(sim::DumpWorldToText(), before) << what;
            fs::remove_all(folder.Native("Backups"));
            corvanis_test::LoadWorld(SecondPlaythrough());
            return;
        }
        ++refused;
        ASSERT_GE(lines.size(), 2u) << what;
        EXPECT_EQ(lines[0], kNotImported) << what;
        // A refused line says why, but for a version line, whose text does.
        if (lines[1].starts_with("[Error in phase: importing ") &&
            !lines[1].starts_with("[Error in phase: importing Version")) {
            EXPECT_GE(lines.size(), 3u) << what;
        }
        for (std::size_t more = 2; more < lines.size(); ++more) {
            EXPECT_TRUE(lines[more].starts_with("ImportShipLayout: INFO: ")) << what << ": " << lines[more];
        }
        // A line whose data file is not loaded names it with the others.
        if (what.starts_with("renamed ") && lines.size() == 4) {
            EXPECT_TRUE(lines[3].starts_with("ImportShipLayout: INFO: this blueprint needs data files that are not "
                                             "loaded: "))
                << what << ": " << lines[3];
        }
        EXPECT_EQ(sim::DumpWorldToText(), before) << what << ": " << lines[1];
        EXPECT_EQ(Backups(), Lines{}) << what;
    };
    for (std::size_t i = 0; i < original.size(); ++i) {
        const std::string& line = original[i];
        // The layout import does not read them.
        if (line.starts_with("DecorItem[")) continue;
        Lines mutated = original;
        const std::size_t bar = line.find('|');
        if (bar != std::string::npos) {
            mutated[i] = line.substr(0, bar + 1) + "x" + line.substr(bar + 1, 3);
            check(mutated, "corrupted " + line);
        }
        mutated = original;
        mutated.erase(mutated.begin() + static_cast<std::ptrdiff_t>(i));
        check(mutated, "deleted " + line);
        if (i + 1 < original.size()) {
            mutated = original;
            std::swap(mutated[i], mutated[i + 1]);
            check(mutated, "swapped " + line);
        }
        if (const std::size_t open = line.find('['); open != std::string::npos && open < bar) {
            mutated = original;
            mutated[i] = line.substr(0, open + 1) + "1" + line.substr(open + 1);
            check(mutated, "reindexed " + line);
        }
        if (const std::size_t file = line.rfind(".vmf"); file != std::string::npos) {
            mutated = original;
            mutated[i] = line.substr(0, file) + "2.vmf";
            check(mutated, "renamed " + line);
        }
    }
    // Both outcomes happen: the blueprint is no all-or-nothing by accident.
    EXPECT_GT(imported, 100);
    EXPECT_GT(refused, 100);
}

}  // namespace
