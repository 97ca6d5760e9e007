// Piloting without the game's piloting skill requirement: the game's
// requirement form pointer follows the setting bNoPilotingSkillRequirement,
// and with the setting on at start-up the game's call that asks for the
// requirement is redirected to a hook that answers "none".
#pragma once

#include <cstdint>
#include <type_traits>

#include "host/game_interface.h"

namespace Corvanis {

// The form the game's requirement pointer holds while the setting is off.
inline constexpr std::uint32_t kPilotingRequirementFormID = 0x002CFCAC;

// On: empties the game's requirement form pointer. Off: fills an empty
// pointer with the requirement form, if the game has it; a pointer that holds
// a form is never replaced.
void ApplyPilotingRequirementForm(bool settingOn);

namespace PilotingSkill {

// Redirects the game's requirement call through the branch trampoline to the
// hook; ends the process through the fatal report when it cannot. Once the
// call is redirected, a second install changes nothing.
void InstallNoPilotingSkillRequirement();

}  // namespace PilotingSkill

}  // namespace Corvanis

extern "C" {
// What the requirement call reached before it was redirected; 0 until then.
// The hook jumps to it.
extern std::uintptr_t Corvanis_ReplacedPilotingCallee;
// The hook: answers 0 while the setting is on and otherwise passes the call
// on, arguments and result untouched, with a jump to the replaced callee.
std::uintptr_t Corvanis_PilotingRequirementHook(veltrane::Form* actor, veltrane::Form* ship);
}
static_assert(std::is_same_v<decltype(&Corvanis_PilotingRequirementHook), veltrane::PilotingRequirementFn>,
              "the hook stands in for the game's callee");
