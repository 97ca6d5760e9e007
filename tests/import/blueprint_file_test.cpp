// A blueprint read from disk: its bytes as stored, its lines as both builds
// see them, and every way the file system can refuse it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/reading/BlueprintFile.h"
#include "support/ScratchFolder.h"
#include "tests/support/FailingFileSystem.h"

namespace {

using Corvanis::BlueprintFile;
using Corvanis::BlueprintLine;
using Corvanis::BlueprintLines;
using corvanis_test::FailingFileSystem;
using corvanis_test::FileOperation;
using Lines = std::vector<std::string>;

Lines TextsOf(std::string_view bytes) {
    Lines texts;
    for (const BlueprintLine& line : BlueprintLines(bytes)) texts.emplace_back(line.Text());
    return texts;
}

TEST(BlueprintLines, LineEnds_EndAtLFOrCRLFOnly_AndKeepEveryOtherByte) {
    EXPECT_EQ(TextsOf("Version: 2.00\r\n\r\nDisplayName |A\n"), (Lines{"Version: 2.00", "", "DisplayName |A"}));
    // A Windows text stream would end the file at 0x1A; a lone CR is no line end.
    EXPECT_EQ(TextsOf("a\x1A" "b\r\nc\rd\r\r\ne"), (Lines{"a\x1A" "b", "c\rd\r", "e"}));
    EXPECT_EQ(TextsOf(std::string("x\0y\n", 4)), Lines{std::string("x\0y", 3)});
}

TEST(BlueprintLines, TheFilesEdges_ResultInALastLineWithoutLineEndAndNoLineAfterTheLastLineEnd) {
    EXPECT_EQ(TextsOf(""), Lines{});
    EXPECT_EQ(TextsOf("\n"), Lines{""});
    EXPECT_EQ(TextsOf("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(TextsOf("KORModel.model |Ships\\Frame.nif"), Lines{"KORModel.model |Ships\\Frame.nif"});
    EXPECT_EQ(TextsOf("a\r"), Lines{"a\r"});
    std::vector<std::size_t> numbers;
    for (const BlueprintLine& line : BlueprintLines("a\n\nb\r\nc")) numbers.push_back(line.Number());
    EXPECT_EQ(numbers, (std::vector<std::size_t>{1, 2, 3, 4}));
}

class BlueprintFiles : public testing::Test {
protected:
    // The error text of opening the file in the scratch folder; empty when it opens.
    std::string Open(BlueprintFile& file, const std::string& name = "Ship.txt") {
        std::string error;
        return file.Open(folder.PluginPath(), name, error) ? "" : error;
    }

    dev_support::ScratchFolder folder;
};

TEST_F(BlueprintFiles, AFileOnDisk_ResultsInItsBytesAsStored_AndStaysUnchanged) {
    const std::string bytes("Version: 2.00\r\n\r\nDisplayName |\x1A\xFF\r\nKORModel.model |m\r", 48);
    folder.WriteFile("Ship.txt", bytes);
    BlueprintFile file(platform::SystemFiles());
    ASSERT_EQ(Open(file), "");
    EXPECT_EQ(file.Bytes(), bytes);
    EXPECT_EQ(folder.ReadFile("Ship.txt"), bytes);

    folder.WriteFile("Empty.txt", "");
    BlueprintFile empty(platform::SystemFiles());
    ASSERT_EQ(Open(empty, "Empty.txt"), "");
    EXPECT_EQ(TextsOf(empty.Bytes()), Lines{});
}

TEST_F(BlueprintFiles, AMissingFile_ResultsInTheUpdateCheckFailing_AndNoFileCreated) {
    BlueprintFile file(platform::SystemFiles());
    EXPECT_EQ(Open(file, "Missing.txt"), "Bleuprint read error: !inputstream.is_open()");
    EXPECT_FALSE(std::filesystem::exists(folder.Native("Missing.txt")));
}

TEST_F(BlueprintFiles, EachRefusalOfTheFileSystem_ResultsInItsText_AndEveryHandleClosed) {
    folder.WriteFile("Ship.txt", "DisplayName |A\r\n");
    const struct {
        FileOperation failing;
        const char* text;
    } cases[] = {
        {FileOperation::OpenForUpdate, "Bleuprint read error: !inputstream.is_open()"},  // a read-only file
        {FileOperation::OpenForReading, "Bleuprint read error: !file.is_open()"},
        {FileOperation::Read, "Bleuprint read error: file.bad()"},
    };
    for (const auto& refusal : cases) {
        FailingFileSystem files;
        files.FailEvery(refusal.failing);
        {
            BlueprintFile file(files);
            EXPECT_EQ(Open(file), refusal.text);
        }
        // The file can be removed: nothing holds it open (Windows would refuse).
        EXPECT_EQ(files.Failed(), refusal.failing);
    }
    EXPECT_TRUE(std::filesystem::remove(folder.Native("Ship.txt")));
}

TEST_F(BlueprintFiles, ReadingAFile_TakesFiveCountedOperations_EachOfWhichCanFail) {
    folder.WriteFile("Ship.txt", "DisplayName |A\r\n");
    FailingFileSystem counting;
    {
        BlueprintFile file(counting);
        ASSERT_EQ(Open(file), "");
    }
    // Open for update, open for reading, read, close, and the update check's
    // close when the file goes.
    EXPECT_EQ(counting.Operations(), 5);
    for (int failing = 1; failing <= 3; ++failing) {
        FailingFileSystem files;
        files.FailOperation(failing);
        BlueprintFile file(files);
        EXPECT_NE(Open(file), "") << "operation " << failing;
    }
}

}  // namespace
