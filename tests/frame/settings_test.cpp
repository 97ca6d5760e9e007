// The settings file as both builds read and write it: the Windows build runs
// these against Wine's private-profile functions, the Linux build against
// the POSIX layer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "frame/settings/IniFile.h"
#include "frame/settings/SettingsFile.h"
#include "support/ScratchFolder.h"
#include "tests/support/DefaultSettingsFile.h"
#include "tests/support/FailingFileSystem.h"

namespace {

using Corvanis::kDefaultSettings;
using Corvanis::SettingsFlags;
using corvanis_test::kDefaultSettingsFile;
using dev_support::ScratchFolder;

// Records compare as their 32 bytes, so a failure names every byte.
std::string Bytes(const SettingsFlags& flags) {
    std::string bytes(sizeof flags, '\0');
    std::memcpy(bytes.data(), &flags, sizeof flags);
    std::string shown;
    for (char b : bytes) shown += static_cast<char>('0' + b);
    return shown;
}

SettingsFlags DefaultsWith(std::size_t byte, std::uint8_t value) {
    SettingsFlags flags = kDefaultSettings;
    reinterpret_cast<std::uint8_t*>(&flags)[byte] = value;
    return flags;
}

class SettingsFile : public testing::Test {
protected:
    // Writes the settings file. Wine keeps a parsed copy of a file while its
    // modification time stays the same, so every rewrite moves it on.
    void Given(const std::string& bytes) {
        folder.WriteFile("Corvanis.ini", bytes);
        const auto path = folder.Native("Corvanis.ini");
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() +
                                                   std::chrono::seconds(++rewrites * 2));
    }
    void Load(bool createIfMissing = false) {
        Corvanis::LoadSettingsFile(flags, createIfMissing, folder.PluginPath());
    }
    bool FileExists() const { return std::filesystem::exists(folder.Native("Corvanis.ini")); }

    ScratchFolder folder;
    SettingsFlags flags = kDefaultSettings;
    int rewrites = 0;
};

TEST_F(SettingsFile, NoFileAtFirstStart_ResultsInThe25DefaultKeysInTheirSectionsAndTheFlagsUnchanged) {
    Load(true);
    EXPECT_EQ(folder.ReadFile("Corvanis.ini"), kDefaultSettingsFile);
    EXPECT_EQ(Bytes(flags), Bytes(kDefaultSettings));

    // Read back, the new file turns the reload flag off and nothing else.
    Load(false);
    EXPECT_EQ(Bytes(flags), Bytes(DefaultsWith(31, 0)));
}

TEST_F(SettingsFile, NoFileOnAReload_ResultsInNoFileAndTheFlagsUnchanged) {
    flags.bNoPilotingSkillRequirement = 1;
    const SettingsFlags before = flags;
    Load(false);
    EXPECT_FALSE(FileExists());
    EXPECT_EQ(Bytes(flags), Bytes(before));
}

TEST_F(SettingsFile, NoFolderForTheFile_ResultsInNothingWrittenAndTheDefaultsKept) {
    Corvanis::LoadSettingsFile(flags, true, folder.PluginPath() + "missing\\");
    EXPECT_FALSE(std::filesystem::exists(folder.Native("missing")));
    EXPECT_EQ(Bytes(flags), Bytes(kDefaultSettings));
}

// A file the system cannot answer for may be there: it is neither read
// (nothing of it would be trusted) nor written over with the defaults.
TEST_F(SettingsFile, PathTheSystemCannotAnswerFor_IsNeitherReadNorWritten) {
    corvanis_test::FailingFileSystem files;
    files.FailQueries();
    Corvanis::LoadSettingsFile(flags, true, folder.PluginPath(), files);
    EXPECT_FALSE(FileExists());
    Given("[Export]\r\nbSkipWEAP=1\r\n");
    Corvanis::LoadSettingsFile(flags, true, folder.PluginPath(), files);
    EXPECT_EQ(Bytes(flags), Bytes(kDefaultSettings));
    EXPECT_EQ(folder.ReadFile("Corvanis.ini"), "[Export]\r\nbSkipWEAP=1\r\n");
}

TEST_F(SettingsFile, FileWithOnlyExportSkipWEAP_ResultsInByte12OnAndEveryOtherByteAtItsDefault) {
    Given("[Export]\r\nbSkipWEAP=1\r\n");
    Load(true);
    EXPECT_EQ(Bytes(flags), Bytes(DefaultsWith(12, 1)));
    EXPECT_EQ(folder.ReadFile("Corvanis.ini"), "[Export]\r\nbSkipWEAP=1\r\n");
}

TEST_F(SettingsFile, EveryLoadedKey_FeedsItsOwnByte) {
    const struct {
        const char* section;
        const char* key;
        std::size_t byte;
        std::uint8_t value;
    } keys[] = {
        {"Piloting", "bNoPilotingSkillRequirement", 0, 1},
        {"Export", "bInventoryItemTypes", 1, 0},
        {"Export", "bWorkshopItems", 2, 0},
        {"Export", "bSkipBOOK", 3, 1},
        {"Export", "bSkipMSTT", 8, 1},
        {"Import", "bInventoryItemTypes", 15, 0},
        {"Import", "bWorkshopItems", 16, 0},
        {"Import", "bSkipBOOK", 19, 1},
        {"Import", "bSkipALCH", 23, 1},
        {"Import", "bSkipWEAP", 28, 1},
        {"Misc", "bAlwaysReloadSettingsOnCommand", 31, 0},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(std::string(key.section) + " " + key.key);
        Given("[" + std::string(key.section) + "]\r\n" + key.key + "=" + std::to_string(key.value) + "\r\n");
        flags = kDefaultSettings;
        Load();
        EXPECT_EQ(Bytes(flags), Bytes(DefaultsWith(key.byte, key.value)));
    }
}

TEST_F(SettingsFile, ValuesOtherThanExactlyOne_ResultInOff_AndQuotesOrBlanksAroundOneInOn) {
    const struct {
        const char* text;
        std::uint8_t expected;
    } values[] = {
        {"1", 1},    {" 1 ", 1},  {"\"1\"", 1}, {"1 ; comment", 0}, {"true", 0}, {"yes", 0},
        {"01", 0},   {"2", 0},    {"on", 0},    {"1.0", 0},         {"0", 0},
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value.text);
        Given(std::string("[Piloting]\r\nbNoPilotingSkillRequirement=") + value.text + "\r\n");
        flags = kDefaultSettings;
        flags.bNoPilotingSkillRequirement = value.expected ? 0 : 1;
        Load();
        EXPECT_EQ(flags.bNoPilotingSkillRequirement, value.expected);
    }
}

TEST_F(SettingsFile, ReloadsAfterAKeyWasEmptiedOrDeleted_ResultInTheValueLoadedBefore) {
    Given("[Piloting]\r\nbNoPilotingSkillRequirement=1\r\n[Export]\r\nbWorkshopItems=0\r\n");
    Load();
    Given("[Piloting]\r\nbNoPilotingSkillRequirement=\r\n");
    Load();
    EXPECT_EQ(flags.bNoPilotingSkillRequirement, 1);
    EXPECT_EQ(flags.exportSettings.bWorkshopItems, 0);
    Given("[Piloting]\r\nbNoPilotingSkillRequirement=0\r\n");
    Load();
    EXPECT_EQ(flags.bNoPilotingSkillRequirement, 0);
    EXPECT_EQ(flags.exportSettings.bWorkshopItems, 0);
}

TEST_F(SettingsFile, FolderAtTheSettingsPath_CountsAsPresent_ResultingInNothingCreatedAndEveryKeyEmpty) {
    std::filesystem::create_directory(folder.Native("Corvanis.ini"));
    flags.bNoPilotingSkillRequirement = 1;
    const SettingsFlags before = flags;
    Load(true);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Native("Corvanis.ini")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Native("Corvanis.ini")));
    EXPECT_EQ(Bytes(flags), Bytes(before));
}

class IniValues : public testing::Test {
protected:
    ScratchFolder folder;
};

TEST_F(IniValues, WrittenAndReadBack_ResultInTheValue_AndMissingPartsInNothing) {
    const std::string base = "Values";
    EXPECT_EQ(Corvanis::ReadIniValue(base, "S", "k", folder.PluginPath()), "");
    EXPECT_TRUE(Corvanis::WriteIniValue(base, "S", "k", "v w", folder.PluginPath()));
    EXPECT_EQ(Corvanis::ReadIniValue(base, "S", "k", folder.PluginPath()), "v w");
    EXPECT_EQ(folder.ReadFile("Values.ini"), "[S]\r\nk=v w\r\n");

    EXPECT_FALSE(Corvanis::WriteIniValue("", "S", "k", "v", folder.PluginPath()));
    EXPECT_FALSE(Corvanis::WriteIniValue(base, "", "k", "v", folder.PluginPath()));
    EXPECT_FALSE(Corvanis::WriteIniValue(base, "S", "", "v", folder.PluginPath()));
    EXPECT_EQ(Corvanis::ReadIniValue(base, "", "k", folder.PluginPath()), "");
    EXPECT_EQ(Corvanis::ReadIniValue(base, "S", "", folder.PluginPath()), "");
    EXPECT_EQ(folder.ReadFile("Values.ini"), "[S]\r\nk=v w\r\n");

    EXPECT_FALSE(Corvanis::WriteIniValue(base, "S", "k", "v", folder.PluginPath() + "missing\\"));
    EXPECT_FALSE(std::filesystem::exists(folder.Native("missing")));
}

TEST_F(IniValues, WriteThatTheSystemRefuses_ResultsInFalseThoughTheFileIsThere) {
    std::filesystem::create_directory(folder.Native("Taken.ini"));
    EXPECT_FALSE(Corvanis::WriteIniValue("Taken", "S", "k", "v", folder.PluginPath()));
}

TEST(IniPath, PathsUpTo254Characters_AreKept_AndLongerOnesRefusedRatherThanCut) {
    EXPECT_EQ(Corvanis::IniPath("Corvanis", ""), ".\\Data\\ORBX\\Plugins\\Corvanis.ini");
    EXPECT_EQ(Corvanis::IniPath("Corvanis", "C:\\Other\\"), "C:\\Other\\Corvanis.ini");

    const std::string folder254 = std::string(254 - 4 - 1, 'f');
    EXPECT_EQ(Corvanis::IniPath("n", folder254), folder254 + "n.ini");
    EXPECT_EQ(Corvanis::IniPath("nn", folder254), std::nullopt);
    EXPECT_EQ(Corvanis::IniPath("n", std::string("a\0b\\", 4)), std::nullopt);
}

}  // namespace
