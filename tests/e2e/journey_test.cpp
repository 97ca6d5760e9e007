// The journey a player's ship makes, as scripts/demo tells it: exported in
// one playthrough, its layout and its interior imported into the home ship of
// another with another load order, and exported again. The two blueprints
// differ only where a blueprint cannot carry a thing from one game to the
// next.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/InteriorWorld.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// A line as its key, which tells the lines of one blueprint apart, and its
// value: before and after the " |" of a data line, the ship line's "Ship" and
// what follows it, a presence line's whole text and no value.
std::pair<std::string, std::string> KeyAndValue(const std::string& line) {
    if (line.starts_with("Ship: ")) return {"Ship", line.substr(6)};
    const std::size_t bar = line.find(" |");
    if (bar == std::string::npos) return {line, ""};
    return {line.substr(0, bar), line.substr(bar + 2)};
}

// "key: first value -> second value" for each key whose lines differ, in the
// order of the first blueprint and then the second; "(none)" where a
// blueprint has no line of the key. The export time and the item extras'
// identities, which name things of one running game, are left out.
Lines Differences(const Lines& first, const Lines& second) {
    const auto keyed = [](const Lines& lines) {
        std::map<std::string, std::string> values;
        Lines order;
        for (const std::string& line : lines) {
            const auto [key, value] = KeyAndValue(line);
            if (key.empty() || line.starts_with("Export time: ") || key.ends_with("].itemExtra")) continue;
            values[key] = value;
            order.push_back(key);
        }
        return std::pair(values, order);
    };
    auto [firstValues, firstOrder] = keyed(first);
    auto [secondValues, secondOrder] = keyed(second);
    Lines differences;
    const auto compare = [&](const std::string& key) {
        const auto a = firstValues.find(key);
        const auto b = secondValues.find(key);
        const std::string before = a == firstValues.end() ? "(none)" : a->second;
        const std::string after = b == secondValues.end() ? "(none)" : b->second;
        if (before != after) differences.push_back(key + ": " + before + " -> " + after);
    };
    for (const std::string& key : firstOrder) compare(key);
    for (const std::string& key : secondOrder) {
        if (firstValues.count(key) == 0) compare(key);
    }
    return differences;
}

TEST(Journey, AShipExportedInOnePlaythrough_IsRebuiltInTheNext_AndExportsAgainAsABlueprintCarriesIt) {
    GameFolder first;
    GameFolder second;
    first.InstallCorvanis();
    second.InstallCorvanis();
    EXPECT_EQ(RunWorldFile(first, StarterWorld(), {"sim.board @Pathfinder", "ExportShip Pathfinder"}).back(),
              "ExportShipRef: INFO: written to Spaceships\\Pathfinder.txt");
    fs::copy_file(first.Spaceships() / "Pathfinder.txt", second.Spaceships() / "Pathfinder.txt");

    const Lines console = RunWorldFile(
        second, SecondPlaythroughWorld(),
        {"ImportShipLayout Pathfinder", "sim.board @Kestrel", "ImportShipInterior Pathfinder", "ExportShip Rebuilt"});
    EXPECT_EQ(
        Lines(console.begin() + 3, console.end()),
        (Lines{"> sim.board @Kestrel", "The player boards FF000803 @Kestrel and stands in FF000801 @KestrelInterior.",
               "> ImportShipInterior Pathfinder", "ImportShipInterior: INFO: ship interior successfully imported.",
               InteriorUndoLine("Pathfinder"), "> ExportShip Rebuilt", "ExportShipRef: INFO: ship exported.",
               "ExportShipRef: INFO: written to Spaceships\\Rebuilt.txt"}));

    // Every decoration item comes back as it was. What differs: the ship's
    // IDs, as the home ship and its base were made in this playthrough; the
    // keywords, numbered without the gap of an empty entry; the attach
    // parents, which stay the home ship's own; a module's raw bytes, which a
    // blueprint cannot give back; and four fields of the layout that are not
    // read.
    const std::string zeros(80, '0');
    EXPECT_EQ(
        Differences(ComparableBlueprint(first.Spaceships() / "Pathfinder.txt"),
                    ComparableBlueprint(second.Spaceships() / "Rebuilt.txt")),
        (Lines{
            "Ship: Pathfinder [FormID: 01000900] [EditorID: ShipPathfinder]  -> Pathfinder [FormID: ] [EditorID: ] ",
            "QRNKeywordForm[2]: 000810|Frontier.vmf -> (none)",
            "QRNAttachParentArray[1]: 0A0111|Veltrane.vmf -> (none)",
            "Blueprint.data[0].unk48_98: 0AFF46515C67727D88939EA9B4BFCAD5E0EBF61C17222D38434E59646F7A85909BA6B1BC"
            "C7D2DDE8F3FE9141F2A35404B56616C77828D98A3AEB9C4CFDAE5F0FB6111C27323D48535E69747F8A -> " +
                zeros,
            "Blueprint.data[1].unk48_98: 4A55606B76818C97A2ADB8C3CED9E4EFFA5101B26313C47525D68737E89949FAAB5C0CBD6"
            "E1ECF72D18232E39444F5A65707B86919CA7B2BDC8D3DEE9F4FFA15202B36414C57626D78838E99A4AF -> " +
                zeros,
            "Blueprint.data[2].unk48_98: 6F7A85909BA6B1BCC7D2DDE8F3FE9141F2A35404B56616C77828D98A3AEB9C4CFDAE5F0F"
            "B6111C27323D48535E69747F8A95A0ABB6C1CCD7E2EDF83E19242F3A45505B66717C87929DA8B3BEC9D4 -> " +
                zeros,
            "Blueprint.data[3].unk48_98: 949FAAB5C0CBD6E1ECF72D18232E39444F5A65707B86919CA7B2BDC8D3DEE9F4FFA15202B3"
            "6414C57626D78838E99A4AFBAC5D0DBE6F1FC7121D28333E49545F6A75808B96A1ACB7C2CDD8E3EEF9 -> " +
                zeros,
            "Blueprint.unk28: 5 -> 1",
            "Blueprint.unk30: 6 -> 2",
            "Blueprint.unk34: 7 -> 3",
            "Blueprint.unk3C: 8 -> 4",
            "QRNKeywordForm[1]: (none) -> 000810|Frontier.vmf",
        }));
}

}  // namespace
}  // namespace e2e
