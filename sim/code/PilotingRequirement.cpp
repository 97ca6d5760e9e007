#include <cstring>

#include "sim/GameState.h"
#include "sim/code/PilotingCallSite.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/world/References.h"

extern "C" std::uintptr_t VeltranePilotingRequirement(veltrane::Form* actor, veltrane::Form* ship) {
    const sim::World& world = sim::TheWorld();
    // The game only asks about the player and the ship the player is in, so
    // other arguments were lost on the way: code that stands between the
    // call and this function did not pass them on.
    if (actor != world.player.reference || ship != sim::ShipPlayerIsIn(world)) {
        sim::ReportGameError("the piloting requirement was asked for another actor or ship than the game's");
    }
    return world.pilotingRequirement;
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
