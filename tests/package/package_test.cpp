// The release zip as a player gets it: what it holds, and a fresh game
// folder it is unpacked into, where the game boots with the plug-in, exports
// a ship, the packaged tool checks the blueprint and the game imports it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/harness/GameFolder.h"
#include "tests/e2e/harness/Paths.h"

namespace {

namespace fs = std::filesystem;
using e2e::Lines;

// Under Wine the build's Linux paths are on drive Z:.
fs::path PackageFolder() {
    std::string path = CORVANIS_PACKAGE_FOLDER;
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

fs::path Unpacked() { return PackageFolder() / "unpacked"; }

// Every file and folder under the root, relative to it, folders ending in '/'.
Lines Tree(const fs::path& root) {
    Lines entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        std::string relative = fs::relative(entry.path(), root).generic_string();
        if (entry.is_directory()) relative += '/';
        entries.push_back(relative);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Mod managers install a zip into the game's Data folder: whatever stands
// beside Data/ is misplaced or dropped.
TEST(ReleasePackage, TheZip_HoldsEverythingUnderData_AndAGuideThatNotepadShowsAsLines) {
    EXPECT_TRUE(fs::is_regular_file(PackageFolder() / CORVANIS_PACKAGE_ZIP));
    EXPECT_EQ(std::string(CORVANIS_PACKAGE_ZIP), "Corvanis-" + std::string(CORVANIS_VERSION_TEXT) + "-windows-x64.zip");
    EXPECT_EQ(Tree(Unpacked()),
              (Lines{"Data/", "Data/ORBX/", "Data/ORBX/Plugins/", "Data/ORBX/Plugins/Corvanis.dll",
                     "Data/ORBX/Plugins/Corvanis/", "Data/ORBX/Plugins/Corvanis/Corvanis-README.txt",
                     "Data/ORBX/Plugins/Corvanis/corvanis-blueprint.exe", "Data/ORBX/Plugins/Spaceships/"}));

    std::ifstream guide(Unpacked() / "Data/ORBX/Plugins/Corvanis/Corvanis-README.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(guide)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    std::size_t lineEnds = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\n') continue;
        ++lineEnds;
        EXPECT_TRUE(at > 0 && text[at - 1] == '\r') << "a line end without CR at byte " << at;
    }
    EXPECT_GT(lineEnds, 100u);
}

e2e::ProcessResult RunPackagedTool(const fs::path& game, const std::vector<std::string>& arguments) {
    e2e::ProcessRequest request;
    request.program = game / "Data" / "ORBX" / "Plugins" / "Corvanis" / "corvanis-blueprint.exe";
    request.arguments = arguments;
    request.workingFolder = game;
    return e2e::RunProcess(request);
}

TEST(ReleasePackage, UnpackedIntoAFreshGameFolder_BootsExportsIsCheckedByItsToolAndImports) {
    e2e::GameFolder folder(e2e::GameFolder::SpaceshipsFolder::Omit);
    fs::copy(Unpacked(), folder.Game(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const fs::path worlds = e2e::ExamplesFolder() / "worlds";

    const e2e::ProcessResult exported =
        folder.Run({"--world", (worlds / "starter.json").string(), "--run", "ExportShip Pathfinder"});
    EXPECT_EQ(exported.OutLines(),
              (Lines{"ORBX: loaded Corvanis.dll: Corvanis - ORBX Plugin by Pellimor " CORVANIS_TITLE_VERSION,
                     "> ExportShip Pathfinder", "ExportShipRef: INFO: ship exported.",
                     "ExportShipRef: INFO: written to Spaceships\\Pathfinder.txt"}));

    const std::string blueprint = "Data\\ORBX\\Plugins\\Spaceships\\Pathfinder.txt";
    const e2e::ProcessResult checked = RunPackagedTool(folder.Game(), {"check", blueprint});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    ASSERT_FALSE(checked.OutLines().empty());
    EXPECT_EQ(checked.OutLines().back().rfind(blueprint + ": no problems: ", 0), 0u) << checked.out;

    const e2e::ProcessResult imported =
        folder.Run({"--world", (worlds / "second-playthrough.json").string(), "--run", "ImportShipLayout Pathfinder",
                    "--run", "sim.board @Kestrel", "--run", "ImportShipInterior Pathfinder"});
    const Lines lines = imported.OutLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ImportShipInterior: INFO: ship interior successfully imported."),
              lines.end())
        << imported.out;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("ImportShipLayout: INFO: ship layout successfully imported.");
    })) << imported.out;
}

}  // namespace
