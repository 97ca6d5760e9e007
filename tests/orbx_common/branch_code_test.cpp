#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "orbx_common/BranchEncoding.h"
#include "orbx_common/BranchTrampoline.h"
#include "orbx_common/NearAddress.h"

namespace {

using namespace Corvanis;

std::vector<std::uint8_t> Bytes(const std::uint8_t* begin, const std::uint8_t* end) { return {begin, end}; }

TEST(BranchCode, BranchSlot_ResultsInAnIndirectJumpFollowedByTheLittleEndianTarget) {
    std::uint8_t buffer[16] = {};
    const std::uint8_t* next = EmitBranchSlot(buffer, 0x0123456789ABCDEF);
    EXPECT_EQ(next, buffer + 14);
    EXPECT_EQ(Bytes(buffer, buffer + 16),
              (std::vector<std::uint8_t>{0xFF, 0x25, 0x00, 0x00, 0x00, 0x00, 0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45,
                                         0x23, 0x01, 0x00, 0x00}));
}

TEST(BranchCode, RelativeCall_ResultsInE8FollowedByTheLittleEndianDisplacement) {
    std::uint8_t buffer[6] = {};
    const std::uint8_t* next = EmitRelativeCall(buffer, -2);
    EXPECT_EQ(next, buffer + 5);
    EXPECT_EQ(Bytes(buffer, buffer + 6), (std::vector<std::uint8_t>{0xE8, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));
}

TEST(NearAddress, SearchBound_ResultsIn1920MiBBelowTheImageOrZeroForALowImage) {
    EXPECT_EQ(TrampolineSearchBound(0x140000000), 0xC8000000u);
    EXPECT_EQ(TrampolineSearchBound(0x78000000), 0u);
    EXPECT_EQ(TrampolineSearchBound(0x77FFFFFF), 0u);
    EXPECT_EQ(TrampolineSearchBound(0x10000), 0u);
}

TEST(NearAddress, CallDisplacement_ResultsInTheDistanceFromTheNextInstructionAndItsReach) {
    EXPECT_EQ(CallDisplacement(0x1000, 0x2000), 0xFFB);
    EXPECT_EQ(CallDisplacement(0x2000, 0x1000), -0x1005);
    EXPECT_EQ(CallDisplacement(0x140000000, 0x140000005), 0);

    EXPECT_TRUE(FitsInDisplacement(CallDisplacement(0x100000000, 0x100000005 + 0x7FFFFFFF)));
    EXPECT_FALSE(FitsInDisplacement(CallDisplacement(0x100000000, 0x100000005 + 0x80000000)));
    EXPECT_TRUE(FitsInDisplacement(CallDisplacement(0x100000000, 0x100000005 - 0x80000000)));
    EXPECT_FALSE(FitsInDisplacement(CallDisplacement(0x100000000, 0x100000005 - 0x80000001)));
}

TEST(NearAddress, TrampolineAnywhereWithinTheSearchBound_ResultsInReachFromTheImagesFirst128MiB) {
    constexpr std::uintptr_t image = 0x140000000;
    const std::uintptr_t lowest = TrampolineSearchBound(image);
    const std::uintptr_t lastSite = image + 0x8000000 - 5;
    EXPECT_TRUE(FitsInDisplacement(CallDisplacement(lastSite, lowest)));
    EXPECT_TRUE(FitsInDisplacement(CallDisplacement(image, image - 256)));
}

TEST(CallTarget, RelativeCallForwardOrBackward_ResultsInTheCallee) {
    std::uint8_t code[16] = {0x90, 0xE8, 0x10, 0x00, 0x00, 0x00, 0xE8, 0xF0, 0xFF, 0xFF, 0xFF};
    const auto forward = reinterpret_cast<std::uintptr_t>(code + 1);
    const auto backward = reinterpret_cast<std::uintptr_t>(code + 6);
    EXPECT_EQ(GetCallTarget(forward), forward + 5 + 0x10);
    EXPECT_EQ(GetCallTarget(backward), backward + 5 - 0x10);
    EXPECT_LT(GetCallTarget(backward), backward);
}

TEST(CallTarget, AnythingButARelativeCall_ResultsInNoCallee) {
    std::uint8_t code[8] = {0xE9, 0x10, 0x00, 0x00, 0x00};
    EXPECT_EQ(GetCallTarget(reinterpret_cast<std::uintptr_t>(code)), 0u);
    EXPECT_EQ(GetCallTarget(0), 0u);
}

}  // namespace
