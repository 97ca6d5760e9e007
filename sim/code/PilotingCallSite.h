// The one place in the game's own code that plug-ins patch: a small function
// that asks the game for the piloting skill an actor needs for a ship through
// a 5-byte relative call (E8 rel32). The game always goes through that call,
// so whatever the call reaches is what the game uses.
#pragma once

#include <cstdint>

#include "host/game_interface.h"

// The symbols bind inside the game's executable, so the call is a direct one.
#if defined(_WIN32)
#define VELTRANE_CODE_SYMBOL
#else
#define VELTRANE_CODE_SYMBOL __attribute__((visibility("hidden")))
#endif

extern "C" {
// The function holding the call site; arguments pass through to the callee.
VELTRANE_CODE_SYMBOL std::uintptr_t VeltranePilotingCheck(veltrane::Form* actor, veltrane::Form* ship);
// The E8 byte of the call.
VELTRANE_CODE_SYMBOL extern std::uint8_t VeltranePilotingCallSite[];
// The callee the call reaches in the game's own code.
VELTRANE_CODE_SYMBOL std::uintptr_t VeltranePilotingRequirement(veltrane::Form* actor, veltrane::Form* ship);
}

namespace sim {

// True while the 5 bytes at the call site are the game's own call.
bool PilotingCallSiteIsOriginal();

}  // namespace sim
