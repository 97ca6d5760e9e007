// An export whose disk fills, or whose name another export takes while it
// writes: the console says so, and neither the blueprint nor its temporary
// file is left behind. Each file operation failing in turn is in
// tests/import/file_faults_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "export/ExportShip.h"
#include "support/LargeShipWorld.h"
#include "support/ScratchFolder.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/InProcessGame.h"

namespace {

using corvanis_test::FailingFileSystem;
using corvanis_test::FileOperation;
using Lines = std::vector<std::string>;

const char* const kNotExported = "ExportShipRef: ERROR: ship couldn't be exported.";

const char* const kPhases[] = {
    "preparing to export ship",
    "exporting QRNAddToInventoryOnDestroy",
    "exporting QRNAnimationGraphComponent",
    "exporting QRNKeywordForm",
    "exporting QRNAttachParentArray",
    "exporting QRNPropertySheet",
    "exporting QRNSpaceshipAIActor",
    "exporting QRNLinkedVoiceType",
    "exporting QRNSpaceshipWeaponBinding",
    "exporting QRNSpaceshipHullCode",
    "exporting QRNStoredTraversalData",
    "exporting Blueprint",
    "exporting KORContainer",
    "exporting KORFullName",
    "exporting KORModel",
    "exporting DecorItems",
};

std::string PhaseLine(const std::string& phase, const std::string& text) {
    return "[Error in phase: " + phase + " | Extra error text: " + text + "]";
}

// The phase named in a failure's second line, by its place in the file.
int PhaseOrder(const std::string& line) {
    for (int i = 0; i < static_cast<int>(std::size(kPhases)); ++i) {
        if (line.rfind("[Error in phase: " + std::string(kPhases[i]) + " | ", 0) == 0) return i;
    }
    return -1;
}

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ExportFaults : public testing::Test {
protected:
    bool Export(platform::FileSystem& files, const std::string& name = "Ship") {
        Corvanis::CommandInput input{name, Corvanis::kDefaultSettings};
        return Corvanis::RunExportShip(input, folder.PluginPath(), files);
    }

    dev_support::ScratchFolder folder;
    corvanis_test::ConsoleLines console;
};

TEST_F(ExportFaults, ADiskThatFillsAtAnyPoint_ResultsInTheFailureInTheSectionBeingWrittenAndNoFileLeft) {
    corvanis_test::LoadWorld(dev_support::LargeShipWorld());
    std::uintmax_t size = 0;
    {
        FailingFileSystem files;
        ASSERT_TRUE(Export(files));
        size = std::filesystem::file_size(folder.Native("Ship.txt"));
        console.Take();
    }
    int lastPhase = 0;
    std::vector<int> phasesSeen;
    for (std::uintmax_t capacity = 0; capacity < size; capacity += 24 * 1024) {
        folder.Empty();
        FailingFileSystem files;
        files.FillAfter(static_cast<std::size_t>(capacity));
        EXPECT_FALSE(Export(files)) << capacity;
        const Lines lines = console.Take();
        ASSERT_EQ(lines.size(), 3u) << capacity;
        EXPECT_EQ(lines[0], kNotExported);
        EXPECT_TRUE(lines[1].ends_with(" | Extra error text: Blueprint write error: log.bad()]")) << lines[1];
        const int phase = PhaseOrder(lines[1]);
        EXPECT_GE(phase, lastPhase) << lines[1];
        lastPhase = phase;
        if (phasesSeen.empty() || phasesSeen.back() != phase) phasesSeen.push_back(phase);
        EXPECT_EQ(Entries(folder.Native("")), Lines{}) << capacity;
    }
    // The modules and the decoration items are most of the file, and the last
    // piece is written once every section is done.
    EXPECT_EQ(phasesSeen.front(), PhaseOrder(PhaseLine("exporting Blueprint", "")));
    EXPECT_EQ(phasesSeen.back(), PhaseOrder(PhaseLine("exporting DecorItems", "")));

    folder.Empty();
    FailingFileSystem files;
    files.FillAfter(static_cast<std::size_t>(size));
    EXPECT_TRUE(Export(files));
    EXPECT_EQ(std::filesystem::file_size(folder.Native("Ship.txt")), size);
}

TEST_F(ExportFaults, ABlueprintThatAppearsWhileTheShipIsWritten_IsLeftAsItWas) {
    corvanis_test::LoadWorldFile(CORVANIS_EXAMPLE_WORLDS "/starter.json");
    FailingFileSystem files;
    files.BeforeMove([&] { folder.WriteFile("a;b.txt", "another export"); });
    EXPECT_FALSE(Export(files, "a/b"));
    EXPECT_EQ(console.Take(),
              (Lines{kNotExported,
                     PhaseLine("exporting DecorItems",
                               "Blueprint write error: file already exists at [" + folder.PluginPath() + "a;b.txt]"),
                     "ExportShipRef: INFO: an export never replaces a file: choose another name, or move the old file "
                     "out of the Spaceships folder"}));
    EXPECT_EQ(Entries(folder.Native("")), Lines{"a;b.txt"});
    EXPECT_EQ(folder.ReadFile("a;b.txt"), "another export");
}

TEST_F(ExportFaults, AMissingFolderThatCannotBeCreated_ResultsInTheFileNotOpened) {
    corvanis_test::LoadWorldFile(CORVANIS_EXAMPLE_WORLDS "/starter.json");
    FailingFileSystem files;
    files.FailOperation(1);
    Corvanis::CommandInput input{"Ship", Corvanis::kDefaultSettings};
    EXPECT_FALSE(Corvanis::RunExportShip(input, folder.PluginPath() + "Spaceships\\", files));
    EXPECT_EQ(files.Failed(), FileOperation::CreateFolder);
    EXPECT_EQ(console.Take(),
              (Lines{kNotExported, PhaseLine("preparing to export ship", "Blueprint write error: !log.is_open()"),
                     "ExportShipRef: INFO: the blueprint file could not be written: the name may be a folder's or too "
                     "long, or the Spaceships folder cannot be written; choose another name, or free the folder"}));
    EXPECT_EQ(Entries(folder.Native("")), Lines{});
}

}  // namespace
