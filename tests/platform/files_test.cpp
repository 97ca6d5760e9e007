#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#endif

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "support/ScratchFolder.h"

namespace {

using dev_support::ScratchFolder;
using platform::PathKind;

TEST(PathStatus, EntriesSpelledTheWindowsWay_ResultInTheirKinds) {
    ScratchFolder folder;
    folder.WriteFile("blueprint.txt", "x");
    std::filesystem::create_directory(folder.Native("Spaceships"));
    const std::string base = folder.PluginPath();
    EXPECT_EQ(platform::SystemFiles().QueryPath(base + "blueprint.txt"), PathKind::RegularFile);
    EXPECT_EQ(platform::SystemFiles().QueryPath(base + "Spaceships"), PathKind::Directory);
    EXPECT_EQ(platform::SystemFiles().QueryPath(base + "Spaceships\\"), PathKind::Directory);
    EXPECT_EQ(platform::SystemFiles().QueryPath(base), PathKind::Directory);
    EXPECT_EQ(platform::SystemFiles().QueryPath(base + "missing.txt"), PathKind::NotFound);
    EXPECT_EQ(platform::SystemFiles().QueryPath(base + "missing\\blueprint.txt"), PathKind::NotFound);
    EXPECT_EQ(platform::SystemFiles().QueryPath(""), PathKind::NotFound);
}

TEST(PathStatus, ADevice_ResultsInOther) {
#if defined(_WIN32)
    EXPECT_EQ(platform::SystemFiles().QueryPath("NUL"), PathKind::Other);
#else
    EXPECT_EQ(platform::SystemFiles().QueryPath("/dev/null"), PathKind::Other);
#endif
}

}  // namespace

namespace {

using platform::CreateResult;
using platform::FileHandle;
using platform::MoveResult;

class FileWriting : public testing::Test {
protected:
    // Creates, writes and closes a new file; false when any step fails.
    bool WriteNewFile(const std::string& name, const std::string& bytes) {
        FileHandle file = platform::kNoFile;
        if (files.CreateNewFile(folder.PluginPath() + name, file) != CreateResult::Created) return false;
        const bool written = files.Write(file, bytes.data(), bytes.size());
        return files.Close(file) && written;
    }

    dev_support::ScratchFolder folder;
    platform::FileSystem& files = platform::SystemFiles();
};

TEST_F(FileWriting, ANewFile_ResultsInExactlyTheBytesWritten) {
    ASSERT_TRUE(WriteNewFile("new.txt", std::string("line\r\nnext\n\x1A end", 16)));
    EXPECT_EQ(folder.ReadFile("new.txt"), std::string("line\r\nnext\n\x1A end", 16));
}

#if !defined(_WIN32)
TEST_F(FileWriting, WritingToAFullDevice_ResultsInFailure) {
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    EXPECT_FALSE(files.Write(full, "blueprint", 9));
    files.Close(full);
}
#endif

TEST_F(FileWriting, CreatingANameThatIsTakenOrInAMissingFolder_ResultsInNoFileOpenedAndNothingChanged) {
    folder.WriteFile("taken.txt", "kept");
    std::filesystem::create_directory(folder.Native("folder.txt"));
    FileHandle file = platform::kNoFile;
    EXPECT_EQ(files.CreateNewFile(folder.PluginPath() + "taken.txt", file), CreateResult::NameTaken);
    EXPECT_EQ(files.CreateNewFile(folder.PluginPath() + "folder.txt", file), CreateResult::NameTaken);
    EXPECT_EQ(files.CreateNewFile(folder.PluginPath() + "missing\\new.txt", file), CreateResult::Failed);
    EXPECT_EQ(file, platform::kNoFile);
    EXPECT_EQ(folder.ReadFile("taken.txt"), "kept");
}

TEST_F(FileWriting, MovesOntoAFreeName_ResultInTheFileUnderItsNewNameOnly) {
    ASSERT_TRUE(WriteNewFile("draft.partial", "blueprint"));
    EXPECT_EQ(files.MoveNoReplace(folder.PluginPath() + "draft.partial", folder.PluginPath() + "ship.txt"),
              MoveResult::Moved);
    EXPECT_EQ(folder.ReadFile("ship.txt"), "blueprint");
    EXPECT_FALSE(std::filesystem::exists(folder.Native("draft.partial")));
}

TEST_F(FileWriting, MovesOntoATakenNameOrFromAMissingFile_ResultInBothFilesUntouched) {
    ASSERT_TRUE(WriteNewFile("draft.partial", "new"));
    folder.WriteFile("ship.txt", "old");
    EXPECT_EQ(files.MoveNoReplace(folder.PluginPath() + "draft.partial", folder.PluginPath() + "ship.txt"),
              MoveResult::TargetExists);
    EXPECT_EQ(folder.ReadFile("ship.txt"), "old");
    EXPECT_EQ(folder.ReadFile("draft.partial"), "new");
    EXPECT_EQ(files.MoveNoReplace(folder.PluginPath() + "gone.partial", folder.PluginPath() + "other.txt"),
              MoveResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(folder.Native("other.txt")));
}

TEST_F(FileWriting, FoldersThatAreNewOrThere_ResultInSuccess_AndFilesOrMissingParentsInFailure) {
    EXPECT_TRUE(files.CreateFolder(folder.PluginPath() + "Spaceships"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Native("Spaceships")));
    EXPECT_TRUE(files.CreateFolder(folder.PluginPath() + "Spaceships"));
    folder.WriteFile("file", "x");
    EXPECT_FALSE(files.CreateFolder(folder.PluginPath() + "file"));
    EXPECT_FALSE(files.CreateFolder(folder.PluginPath() + "missing\\Spaceships"));
}

TEST_F(FileWriting, RemovingAFile_ResultsInItsAbsence_AndRemovingNothingInFailure) {
    folder.WriteFile("stale.partial", "x");
    EXPECT_TRUE(files.Remove(folder.PluginPath() + "stale.partial"));
    EXPECT_FALSE(std::filesystem::exists(folder.Native("stale.partial")));
    EXPECT_FALSE(files.Remove(folder.PluginPath() + "stale.partial"));
}

}  // namespace

namespace {

using platform::FileHandle;

class FileReading : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder.PluginPath() + name; }

    // The whole file as ReadWhole reads it; "<failed>" when it does not.
    std::string ReadAll(const std::string& name) {
        FileHandle file = platform::kNoFile;
        if (!files.OpenForReading(Path(name), file)) return "<failed>";
        std::string bytes = "left over";
        const bool read = files.ReadWhole(file, bytes);
        files.Close(file);
        return read ? bytes : "<failed>";
    }

    dev_support::ScratchFolder folder;
    platform::FileSystem& files = platform::SystemFiles();
};

TEST_F(FileReading, FilesSpelledTheWindowsWay_ResultInTheirBytesAsStored) {
    const std::string bytes("Version: 2.00\r\n\x1A\r\n\0end\n", 22);
    std::filesystem::create_directory(folder.Native("Spaceships"));
    folder.WriteFile("Spaceships/Ship.txt", bytes);
    EXPECT_EQ(ReadAll("Spaceships\\Ship.txt"), bytes);
    std::string large;
    for (int i = 0; large.size() < 300'000; ++i) large += "Blueprint.data[" + std::to_string(i) + "].fPosX |1.500000\r\n";
    folder.WriteFile("large.txt", large);
    EXPECT_EQ(ReadAll("large.txt"), large);
    folder.WriteFile("empty.txt", "");
    EXPECT_EQ(ReadAll("empty.txt"), "");
    EXPECT_EQ(ReadAll("missing.txt"), "<failed>");
}

TEST_F(FileReading, OpeningForUpdate_CreatesAndTruncatesNothing_AndLocksNoOneOut) {
    folder.WriteFile("Ship.txt", "DisplayName |A\r\n");
    FileHandle update = platform::kNoFile;
    ASSERT_TRUE(files.OpenForUpdate(Path("Ship.txt"), update));
    FileHandle secondUpdate = platform::kNoFile;
    EXPECT_TRUE(files.OpenForUpdate(Path("Ship.txt"), secondUpdate));
    EXPECT_EQ(ReadAll("Ship.txt"), "DisplayName |A\r\n");
    files.Close(secondUpdate);
    files.Close(update);
    EXPECT_EQ(folder.ReadFile("Ship.txt"), "DisplayName |A\r\n");

    FileHandle none = platform::kNoFile;
    EXPECT_FALSE(files.OpenForUpdate(Path("missing.txt"), none));
    EXPECT_FALSE(std::filesystem::exists(folder.Native("missing.txt")));
    std::filesystem::create_directory(folder.Native("folder.txt"));
    EXPECT_FALSE(files.OpenForUpdate(Path("folder.txt"), none));
    EXPECT_EQ(none, platform::kNoFile);
}

}  // namespace
