// `fix` rewrites only what it is asked to, byte for byte elsewhere, and what
// it writes the importers read whole; `list` shows a folder's blueprints
// newest first, whatever else the folder holds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/ScratchFolder.h"
#include "tools/blueprint/BlueprintFix.h"
#include "tools/blueprint/BlueprintReading.h"
#include "tools/blueprint/Commands.h"

namespace {

using namespace blueprint_tool;
using nlohmann::json;

// Each line with its line end; the expected copy of each, or nothing for a
// line left out.
struct FixedLine {
    std::string in;
    std::optional<std::string> out;
};

const std::vector<FixedLine> kShip = {
    {"Ship: Tern|Gone.vmf [FormID: ] [EditorID: ] \r\n", "Ship: Tern|Gone.vmf [FormID: ] [EditorID: ] \r\n"},
    {"Export time: 2026-12-06 21:07:12.00345\r\n", "Export time: 2026-12-06 21:07:12.00345\r\n"},
    {"Version: 2.00\n", "Version: 2.00\n"},
    {"\r\n", "\r\n"},
    {"QRNKeywordForm[0] |01|Veltrane.vmf\r\n", "QRNKeywordForm[0] |01|Veltrane.vmf\r\n"},
    {"Blueprint.data[0].fPosX |0\r\n", "Blueprint.data[0].fPosX |0\r\n"},
    {"Blueprint.data[0].item |0A2000|OldHull.vmf\r\n", "Blueprint.data[0].item |0A2000|Hullworks.vmf\r\n"},
    {"KORContainer[0].count |2\r\n", std::nullopt},
    {"KORContainer[0].itemExtra |?\r\n", std::nullopt},
    {"KORContainer[0].obj |801|Gone.vmf\r\n", std::nullopt},
    {"KORContainer[1].count |1\r\n", "KORContainer[0].count |1\r\n"},
    {"KORContainer[1].itemExtra |?\r\n", "KORContainer[0].itemExtra |?\r\n"},
    {"KORContainer[1].obj |802|oldhull.VMF\r\n", "KORContainer[0].obj |802|Hullworks.vmf\r\n"},
    // Texts are no form references, whatever they hold.
    {"DisplayName |Tern|Gone.vmf\r\n", "DisplayName |Tern|Gone.vmf\r\n"},
    {"DecorItem[0].base |0A3002|Gone.vmf\r\n", std::nullopt},
    {"DecorItem[0].fPosX |1.0\r\n", std::nullopt},
    {"DecorItem[0].bWorkshopItem\r\n", std::nullopt},
    {"DecorItem[1].base |0A3003|Veltrane.vmf\r\n", "DecorItem[0].base |0A3003|Veltrane.vmf\r\n"},
    {"DecorItem[1].fPosX |2.0\r\n", "DecorItem[0].fPosX |2.0\r\n"},
    {"DecorItem[1].overrideName |Crate|Gone.vmf\r\n", "DecorItem[0].overrideName |Crate|Gone.vmf\r\n"},
    {"DecorItem[2].base |0A3004|GONE.VMF\r\n", std::nullopt},
    {"DecorItem[3].base |0A3005|Veltrane.vmf", "DecorItem[1].base |0A3005|Veltrane.vmf"},
};

std::string Joined(const std::vector<FixedLine>& lines, bool fixed) {
    std::string bytes;
    for (const FixedLine& line : lines) bytes += fixed ? line.out.value_or("") : line.in;
    return bytes;
}

const FixRequest kRequest{{{"OldHull.vmf", "Hullworks.vmf"}}, std::vector<std::string>{"Hullworks.vmf"}};

TEST(Fix, RenamesAndLeavesOutExactlyTheListedElements_AndTheImportersReadTheCopyWhole) {
    const FixResult result = FixBlueprint(Joined(kShip, false), kRequest);
    ASSERT_TRUE(result.indispensable.empty());
    EXPECT_EQ(result.bytes, Joined(kShip, true));
    ASSERT_EQ(result.renamed.size(), 1u);
    EXPECT_EQ(result.renamed[0].references, 2u);
    ASSERT_EQ(result.leftOut.size(), 2u);
    EXPECT_EQ(std::tie(result.leftOut[0].list, result.leftOut[0].dataFile, result.leftOut[0].elements),
              std::make_tuple(std::string_view("decoration items"), std::string("Gone.vmf"), std::size_t{2}));
    EXPECT_EQ(std::tie(result.leftOut[1].list, result.leftOut[1].elements),
              std::make_tuple(std::string_view("cargo entries"), std::size_t{1}));

    DataFileResolver forms(*kRequest.loadedFiles);
    const BlueprintReading reading = ReadBlueprint(result.bytes, forms);
    EXPECT_TRUE(reading.problems.empty()) << reading.problems.front().line;
    EXPECT_EQ(reading.decorItems.size(), 2u);
    EXPECT_EQ(reading.layout.container.size(), 1u);
}

TEST(FixCommand, NeverReplacesAFile_NorLeavesOneWhenItRefuses_NorChangesItsInput) {
    dev_support::ScratchFolder folder;
    folder.WriteFile("Tern.txt", Joined(kShip, false));
    folder.WriteFile("Taken.txt", "mine");
    folder.WriteFile("plugins.txt", "Hullworks.vmf\r\n");
    const auto path = [&](const char* name) { return folder.Native(name).string(); };
    std::ostringstream out;
    std::ostringstream err;
    FixOptions options{path("Tern.txt"), path("Taken.txt"), {"OldHull.vmf=Hullworks.vmf"}, true, path("plugins.txt")};
    EXPECT_EQ(RunFix(options, out, err), kExitError);
    EXPECT_NE(err.str().find("exists"), std::string::npos);

    options.output = path("Fixed.txt");
    options.renames.clear();
    // The module's data file is not loaded: refused, naming its line.
    EXPECT_EQ(RunFix(options, out, err), kExitFound);
    EXPECT_NE(out.str().find("line 7: Blueprint.data[0].item |0A2000|OldHull.vmf"), std::string::npos) << out.str();
    options.renames = {"Nope"};
    EXPECT_EQ(RunFix(options, out, err), kExitError);
    options.renames = {"OLDHULL.vmf=Hullworks.vmf"};
    EXPECT_EQ(RunFix(options, out, err), kExitClean) << err.str();

    EXPECT_EQ(folder.Contents(), (std::map<std::string, std::string>{{"Tern.txt", Joined(kShip, false)},
                                                                     {"Taken.txt", "mine"},
                                                                     {"plugins.txt", "Hullworks.vmf\r\n"},
                                                                     {"Fixed.txt", Joined(kShip, true)}}));
}

TEST(ListCommand, ListsEveryTextFileNewestFirst_SayingWhatEachNeedsAndMisses) {
    dev_support::ScratchFolder folder;
    const auto blueprint = [](const std::string& time, const std::string& decorFile) {
        return "Ship: Tern [FormID: ] [EditorID: ] \r\n" + (time.empty() ? "" : "Export time: " + time + "\r\n") +
               "Version: 2.00\r\n\r\nBlueprint.data[0].fPosX |0\r\nBlueprint.data[0].item |0A2000|Veltrane.vmf\r\n"
               "DecorItem[0].base |0A3002|" + decorFile + "\r\n";
    };
    folder.WriteFile("Old.txt", blueprint("2026-01-02 10:00:00.00001", "Veltrane.vmf"));
    folder.WriteFile("New.txt", blueprint("2026-12-01 10:00:00.00001", "Gone.vmf"));
    folder.WriteFile("Timeless.txt", blueprint("", "Veltrane.vmf"));
    folder.WriteFile("notes.txt", "buy fuel\r\n");
    folder.WriteFile("ship.json", "{}");
    std::filesystem::create_directory(folder.Native("Backups"));
    folder.WriteFile("Backups/Tern layout 1.txt", blueprint("2026-06-01 10:00:00.00001", "Veltrane.vmf"));
    folder.WriteFile("plugins.txt", "Hullworks.vmf\r\n");

    struct Row {
        std::string file;
        bool blueprint;
        bool readWhole;
        json missing;
    };
    const std::vector<Row> expected = {
        {"New.txt", true, false, {"Gone.vmf"}},
        {"Backups/Tern layout 1.txt", true, true, json::array()},
        {"Old.txt", true, true, json::array()},
        {"Timeless.txt", true, true, json::array()},
        {"notes.txt", false, false, nullptr},
        {"plugins.txt", false, false, nullptr},
    };
    std::ostringstream out;
    std::ostringstream err;
    const ListOptions options{folder.Path().string(), true, folder.Native("plugins.txt").string(), true};
    EXPECT_EQ(RunList(options, out, err), kExitFound);
    const json files = json::parse(out.str())["files"];
    ASSERT_EQ(files.size(), expected.size()) << files.dump(2);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].file);
        EXPECT_EQ(files[i]["file"], expected[i].file);
        EXPECT_EQ(files[i]["blueprint"], expected[i].blueprint);
        if (!expected[i].blueprint) continue;
        EXPECT_EQ(files[i]["readWhole"], expected[i].readWhole);
        EXPECT_EQ(files[i]["missingDataFiles"], expected[i].missing);
        EXPECT_EQ(files[i]["modules"], 1);
        EXPECT_EQ(files[i]["decorationItems"], 1);
    }
    EXPECT_EQ(files[0]["ship"], "Tern");
    EXPECT_EQ(files[0]["exportTime"], "2026-12-01 10:00:00.00001");
}

}  // namespace
