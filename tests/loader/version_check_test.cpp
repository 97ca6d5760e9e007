#include <gtest/gtest.h>

#include <cstring>

#include "sim/loader/VersionCheck.h"

namespace sim::loader {
namespace {

orbx::PluginVersionData RecordFor(std::initializer_list<std::uint32_t> runtimes) {
    orbx::PluginVersionData record{};
    record.dataVersion = orbx::kVersionRecordFormat;
    record.pluginVersion = 0x03010000;
    std::strcpy(record.name, "Some Plugin");
    std::size_t slot = 0;
    for (std::uint32_t runtime : runtimes) record.compatibleVersions[slot++] = runtime;
    return record;
}

TEST(VersionRefusal, TheGameRuntimeInAnySlotOfTheList_IsAccepted_EvenInTheLastOfSixteenWithoutEnd) {
    EXPECT_EQ(VersionRefusal(RecordFor({kGameRuntime})), "");
    EXPECT_EQ(VersionRefusal(RecordFor({0x01000010, 0x010E0460, kGameRuntime})), "");
    orbx::PluginVersionData full = RecordFor({});
    for (std::uint32_t& runtime : full.compatibleVersions) runtime = 0x010E0460;
    full.compatibleVersions[15] = kGameRuntime;
    EXPECT_EQ(VersionRefusal(full), "");
}

TEST(VersionRefusal, ARuntimeAfterTheListsEnd_DoesNotCount) {
    EXPECT_EQ(VersionRefusal(RecordFor({0x010E0460, 0, kGameRuntime})),
              "not built for runtime 1.15.216.0 (built for 1.14.70.0)");
    EXPECT_EQ(VersionRefusal(RecordFor({0, kGameRuntime})),
              "not built for runtime 1.15.216.0 (built for no runtime)");
}

TEST(VersionRefusal, AFullListOfOtherRuntimes_IsRefused_NamingAllSixteenAndNothingBeyond) {
    orbx::PluginVersionData full = RecordFor({});
    for (std::uint32_t& runtime : full.compatibleVersions) runtime = 0x01000010;
    full.loaderMinimum = kGameRuntime;  // right after the list: must not be read as part of it

    std::string listed = "1.0.1.0";
    for (int i = 1; i < 16; ++i) listed += ", 1.0.1.0";
    EXPECT_EQ(VersionRefusal(full), "not built for runtime 1.15.216.0 (built for " + listed + ")");
}

TEST(VersionRefusal, AnotherRecordFormat_IsRefusedWhateverTheRuntimes) {
    orbx::PluginVersionData record = RecordFor({kGameRuntime});
    record.dataVersion = 0;
    EXPECT_EQ(VersionRefusal(record), "version record format 0, expected 1");
    record.dataVersion = 2;
    EXPECT_EQ(VersionRefusal(record), "version record format 2, expected 1");
}

TEST(PluginTitle, ANameFillingItsField_IsReadWithinIt_AndAnEmptyNameIsShownAsSuch) {
    orbx::PluginVersionData record = RecordFor({kGameRuntime});
    std::memset(record.name, 'N', sizeof record.name);
    record.author[0] = 'A';
    EXPECT_EQ(PluginTitle(record), std::string(256, 'N') + " 3.1");

    record.name[0] = '\0';
    record.pluginVersion = 0xFFFE1234;
    EXPECT_EQ(PluginTitle(record), "(no name) 255.254");
}

}  // namespace
}  // namespace sim::loader
