#include <gtest/gtest.h>

#include <cstring>

#include "frame/PluginVersion.h"

namespace {

const unsigned char* Bytes() { return reinterpret_cast<const unsigned char*>(&ORBXPlugin_Version); }

std::uint32_t U32At(std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, Bytes() + offset, sizeof value);
    return value;
}

TEST(VersionRecord, EveryByteIsAsTheLoaderExpects) {
    ASSERT_EQ(sizeof ORBXPlugin_Version, 604u);
    EXPECT_EQ(U32At(0), 1u);
    EXPECT_EQ(U32At(4), 0x03010000u);
    EXPECT_EQ(Bytes()[7], 3);
    EXPECT_EQ(Bytes()[6], 1);

    const char name[] = "Corvanis - ORBX Plugin by Pellimor";
    EXPECT_EQ(std::memcmp(Bytes() + 8, name, sizeof name), 0);
    for (std::size_t i = 8 + sizeof name; i < 264; ++i) EXPECT_EQ(Bytes()[i], 0) << i;
    const char author[] = "Pellimor";
    EXPECT_EQ(std::memcmp(Bytes() + 264, author, sizeof author), 0);
    for (std::size_t i = 264 + sizeof author; i < 520; ++i) EXPECT_EQ(Bytes()[i], 0) << i;

    EXPECT_EQ(U32At(520), 0u);
    EXPECT_EQ(U32At(524), 0u);
    EXPECT_EQ(U32At(528), 0x010F0D80u);
    for (std::size_t i = 532; i < 604; i += 4) EXPECT_EQ(U32At(i), 0u) << i;
}

}  // namespace
