#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/ScratchFolder.h"

namespace {

using corvanis_test::ScratchFolder;
using platform::PathKind;

TEST(PathStatus, EntriesSpelledTheWindowsWay_ResultInTheirKinds) {
    ScratchFolder folder;
    folder.WriteFile("blueprint.txt", "x");
    std::filesystem::create_directory(folder.Native("Spaceships"));
    const std::string base = folder.PluginPath();
    EXPECT_EQ(platform::QueryPath(base + "blueprint.txt"), PathKind::RegularFile);
    EXPECT_EQ(platform::QueryPath(base + "Spaceships"), PathKind::Directory);
    EXPECT_EQ(platform::QueryPath(base + "Spaceships\\"), PathKind::Directory);
    EXPECT_EQ(platform::QueryPath(base), PathKind::Directory);
    EXPECT_EQ(platform::QueryPath(base + "missing.txt"), PathKind::NotFound);
    EXPECT_EQ(platform::QueryPath(base + "missing\\blueprint.txt"), PathKind::NotFound);
    EXPECT_EQ(platform::QueryPath(""), PathKind::NotFound);
}

TEST(PathStatus, ADevice_ResultsInOther) {
#if defined(_WIN32)
    EXPECT_EQ(platform::QueryPath("NUL"), PathKind::Other);
#else
    EXPECT_EQ(platform::QueryPath("/dev/null"), PathKind::Other);
#endif
}

}  // namespace
