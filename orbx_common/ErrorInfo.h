#pragma once

#include <string>
#include <vector>

namespace Corvanis {

// Where an export or an import stopped and why: the routine sets the phase
// at each step and the text when it fails; the command prints both
// (ErrorPhaseLine).
struct ErrorInfo {
    std::string sExtraErrorText;
    std::string sPhase;
    // Why, in a player's words, and what to do, where the two texts above
    // do not say it; empty when they do.
    std::string sReason;
    // More the player should know, each a line of its own.
    std::vector<std::string> notes;
};

// The second failure line of a command: "[Error in phase: " + the phase, then
// " | Extra error text: " + the text when there is one, then "]". Offline
// tools report an import's refusals with it too, as the game prints them.
inline std::string ErrorPhaseLine(const std::string& phase, const std::string& extraErrorText) {
    std::string line = "[Error in phase: " + phase;
    if (!extraErrorText.empty()) line += " | Extra error text: " + extraErrorText;
    return line + "]";
}

}  // namespace Corvanis
