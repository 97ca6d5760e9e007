#include <cstring>

#include "sim/GameState.h"
#include "sim/code/PilotingCallSite.h"

extern "C" std::uintptr_t VeltranePilotingRequirement(veltrane::Form*, veltrane::Form*) {
    return sim::TheWorld().pilotingRequirement;
}

namespace sim {

bool PilotingCallSiteIsOriginal() {
    std::uint8_t bytes[5];
    std::memcpy(bytes, VeltranePilotingCallSite, sizeof bytes);
    if (bytes[0] != 0xE8) return false;
    std::int32_t displacement;
    std::memcpy(&displacement, bytes + 1, sizeof displacement);
    const auto next = reinterpret_cast<std::uintptr_t>(VeltranePilotingCallSite) + 5;
    return next + static_cast<std::intptr_t>(displacement) ==
           reinterpret_cast<std::uintptr_t>(&VeltranePilotingRequirement);
}

}  // namespace sim
