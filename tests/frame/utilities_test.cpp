#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "format/Timestamp.h"
#include "frame/startup/FatalReport.h"
#include "frame/startup/PluginTitle.h"
#include "orbx_common/FileExists.h"
#include "support/ScratchFolder.h"

namespace {

using Corvanis::MakeTimestamp;
using Corvanis::RegularFileExists;

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kTicksPerMillisecond = 10000;

std::string LocalSeconds(std::time_t seconds) {
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&seconds));
    return text;
}

TEST(Timestamp, TimesWithinASecond_ResultInLocalTimeAndFiveDigitMilliseconds) {
    const std::time_t second = 1700000000;
    const std::uint64_t ticks = static_cast<std::uint64_t>(second) * kTicksPerSecond;
    EXPECT_EQ(MakeTimestamp(ticks + 2 * kTicksPerMillisecond), LocalSeconds(second) + ".00002");
    EXPECT_EQ(MakeTimestamp(ticks + 2 * kTicksPerMillisecond + 9999), LocalSeconds(second) + ".00002");
    EXPECT_EQ(MakeTimestamp(ticks), LocalSeconds(second) + ".00000");
    EXPECT_EQ(MakeTimestamp(ticks + 999 * kTicksPerMillisecond), LocalSeconds(second) + ".00999");
    EXPECT_EQ(MakeTimestamp(ticks + kTicksPerSecond), LocalSeconds(second + 1) + ".00000");
}

TEST(Timestamp, Now_ResultsInDateTimeAndFraction) {
    const std::string now = MakeTimestamp();
    ASSERT_EQ(now.size(), 25u) << now;
    EXPECT_EQ(now[4], '-');
    EXPECT_EQ(now[10], ' ');
    EXPECT_EQ(now[19], '.');
    EXPECT_EQ(now.substr(20, 2), "00");
}

TEST(PluginTitle, VersionRecordAsShipped_ResultsInTheNameAndTheBuildsVersion) {
    EXPECT_EQ(Corvanis::PluginTitle(), "Corvanis - ORBX Plugin by Pellimor v" + std::to_string(CORVANIS_VERSION_MAJOR) +
                                           "." + std::to_string(CORVANIS_VERSION_MINOR));
}

TEST(FatalReport, FunctionLineAndError_ResultInTheReportText) {
    EXPECT_EQ(Corvanis::FatalReportText("ORBXPlugin_Load", 472, "alloc error"),
              "Fatal error has occured in function ORBXPlugin_Load at line 472\n\n\nError text: \n -> alloc error\n");
}

class FileTest : public testing::Test {
protected:
    void SetUp() override {
        folder.WriteFile("ship.txt", "x");
        std::filesystem::create_directory(folder.Native("Spaceships"));
    }
    dev_support::ScratchFolder folder;
    platform::FileSystem& files = platform::SystemFiles();
};

TEST_F(FileTest, RegularFileInAnExistingFolder_ResultsInTrue) {
    EXPECT_TRUE(RegularFileExists(folder.PluginPath(), "ship.txt", files));
}

TEST_F(FileTest, EmptyNamesSubFoldersAndMissingEntries_ResultInFalse) {
    EXPECT_FALSE(RegularFileExists(folder.PluginPath(), "", files));
    EXPECT_FALSE(RegularFileExists("", "ship.txt", files));
    EXPECT_FALSE(RegularFileExists(folder.PluginPath(), "Spaceships", files));
    EXPECT_FALSE(RegularFileExists(folder.PluginPath(), "missing.txt", files));
    EXPECT_FALSE(RegularFileExists(folder.PluginPath() + "missing\\", "ship.txt", files));
}

TEST_F(FileTest, FolderWithoutTrailingBackslash_ResultsInFalseBecauseTheNamesAreJoinedAsTheyAre) {
    std::string withoutSeparator = folder.PluginPath();
    withoutSeparator.pop_back();
    EXPECT_FALSE(RegularFileExists(withoutSeparator, "ship.txt", files));
    EXPECT_TRUE(RegularFileExists(withoutSeparator, "\\ship.txt", files));
}

}  // namespace
