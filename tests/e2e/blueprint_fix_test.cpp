// `corvanis-blueprint fix` on a shared blueprint that the receiving game
// refuses: renaming the data files its maker had makes the import go
// through, and leaving out the decoration items and cargo of a data file the
// player lacks gives a ship the game rebuilds without exactly those.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;



std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The lines of the lists a ship can do without, but for the item extras'
// identities, which name objects of one running game.
Lines DecorationAndCargo(const Lines& lines) {
    Lines kept;
    for (const std::string& line : lines) {
        if (line.find("].itemExtra |") != std::string::npos) continue;
        if (line.starts_with("DecorItem[") || line.starts_with("KORContainer[")) kept.push_back(line);
    }
    return kept;
}

class BlueprintFix : public testing::Test {
protected:
    void SetUp() override {
        first.InstallCorvanis();
        second.InstallCorvanis();
        RunWorldFile(first, StarterWorld(), {"ExportShip Pathfinder"});
        exported = ReadBytes(first.Spaceships() / "Pathfinder.txt");
    }

    ProcessResult Tool(const std::vector<std::string>& arguments) const {
        return RunBlueprintTool(arguments, second.Spaceships());
    }

    void Share(const std::string& name, const std::string& bytes) const {
        WriteBytes(second.Spaceships() / (name + ".txt"), bytes);
    }

    GameFolder first;
    GameFolder second;
    std::string exported;
};

TEST_F(BlueprintFix, ABlueprintNamingTwoDataFilesTheGameLacks_IsRefused_UntilFixRenamesThem) {
    Share("Pathfinder", exported);
    Share("Shared", ReplacedAll(ReplacedAll(exported, "|Trimwork.vmf", "|Trimwork_v1.vmf"), "|Deckhands.vmf",
                                "|DECKHANDS_old.vmf"));
    const Lines refused =
        RunWorldFile(second, SecondPlaythroughWorld(), {"sim.dump before.json", "ImportShipLayout Shared", "sim.dump after.json"});
    ASSERT_GE(refused.size(), 4u);
    EXPECT_EQ(refused[3], "ImportShipLayout: ERROR: ship layout couldn't be imported.");
    EXPECT_EQ(ReadBytes(second.Game() / "after.json"), ReadBytes(second.Game() / "before.json"));

    const ProcessResult fix = Tool({"fix", "Shared.txt", "-o", "Fixed.txt", "--rename-data-file",
                                    "trimwork_v1.vmf=Trimwork.vmf", "--rename-data-file", "Deckhands_old.vmf=Deckhands.vmf"});
    EXPECT_EQ(fix.exitCode, 0) << fix.err;
    EXPECT_EQ(fix.OutLines(), (Lines{"Wrote Fixed.txt, a repaired copy of Shared.txt:",
                                     "  5 form references renamed from trimwork_v1.vmf to Trimwork.vmf",
                                     "  4 form references renamed from Deckhands_old.vmf to Deckhands.vmf"}));
    EXPECT_EQ(ReadBytes(second.Spaceships() / "Fixed.txt"), exported);

    // Imported, the copy gives the ship the original gives it.
    RunWorldFile(second, SecondPlaythroughWorld(), {"ImportShipLayout Pathfinder", "sim.dump original.json"});
    const Lines imported = RunWorldFile(second, SecondPlaythroughWorld(), {"ImportShipLayout Fixed", "sim.dump fixed.json"});
    ASSERT_GE(imported.size(), 2u);
    EXPECT_EQ(imported[1], kLayoutImportedLine);
    EXPECT_EQ(ReadBytes(second.Game() / "fixed.json"), ReadBytes(second.Game() / "original.json"));
}

TEST_F(BlueprintFix, DecorationAndCargoOfADataFileThePlayerLacks_AreLeftOut_AndTheGameRebuildsTheRest) {
    // Only decoration items and cargo of this ship come from Trimwork.vmf.
    std::string shared = ReplacedAll(exported, "traversals1[1].traversal |804|Trimwork.vmf",
                                     "traversals1[1].traversal |0A0150|Veltrane.vmf");
    shared = ReplacedAll(shared, "Blueprint.data[2].item |803|Trimwork.vmf", "Blueprint.data[2].item |0A2000|Veltrane.vmf");
    Share("Shared", shared);
    Share("WithModule", exported);
    WriteBytes(second.Spaceships() / "plugins.txt", "*Outposts.vmf\r\n*Frontier.vmf\r\n*Lanterns.vmf\r\n*Cargo.vmf\r\n"
                                                     "*Deckhands.vmf\r\n");

    const ProcessResult module =
        Tool({"fix", "WithModule.txt", "-o", "Nothing.txt", "--drop-missing", "--data-files", "plugins.txt"});
    EXPECT_EQ(module.exitCode, 1);
    EXPECT_EQ(module.OutLines(),
              (Lines{"WithModule.txt: nothing written: the ship cannot do without these lines, naming forms of data "
                     "files that are not loaded:",
                     "  line 47: QRNStoredTraversalData.traversals1[1].traversal |804|Trimwork.vmf",
                     "  line 175: Blueprint.data[2].item |803|Trimwork.vmf",
                     "Load the data files, or give their new names with --rename-data-file OLD=NEW."}));
    EXPECT_FALSE(fs::exists(second.Spaceships() / "Nothing.txt"));

    const ProcessResult fix = Tool({"fix", "Shared.txt", "-o", "Fixed.txt", "--drop-missing", "--data-files", "plugins.txt"});
    EXPECT_EQ(fix.exitCode, 0) << fix.err;
    EXPECT_EQ(fix.OutLines(), (Lines{"Wrote Fixed.txt, a repaired copy of Shared.txt:",
                                     "  decoration items left out: 2 of Trimwork.vmf",
                                     "  cargo entries left out: 1 of Trimwork.vmf"}));
    EXPECT_EQ(Tool({"check", "--data-files", "plugins.txt", "Fixed.txt"}).exitCode, 0);
    const Lines fixed = ComparableBlueprint(second.Spaceships() / "Fixed.txt");
    const Lines before = ComparableBlueprint(second.Spaceships() / "Shared.txt");
    // Two items of 9 and 8 lines, and a cargo entry of 3, and nothing else.
    EXPECT_EQ(before.size() - fixed.size(), 20u);

    const Lines console = RunWorldFile(second, SecondPlaythroughWorld(),
                                       {"ImportShipLayout Fixed", "sim.board @Kestrel", "ImportShipInterior Fixed",
                                        "ExportShip Rebuilt"});
    EXPECT_EQ(console[1], kLayoutImportedLine);
    EXPECT_EQ(console.back(), "ExportShipRef: INFO: written to Spaceships\\Rebuilt.txt");
    const Lines rebuilt = DecorationAndCargo(ComparableBlueprint(second.Spaceships() / "Rebuilt.txt"));
    EXPECT_EQ(rebuilt, DecorationAndCargo(fixed));
    // The last item, numbered 14 in the shared blueprint.
    EXPECT_NE(std::find(rebuilt.begin(), rebuilt.end(), "DecorItem[12].base |0804|Deckhands.vmf"), rebuilt.end());
}

}  // namespace
}  // namespace e2e
