#pragma once

#include <string>

namespace Corvanis {

// Where an export or an import stopped and why: the routine sets the phase
// at each step and the text when it fails; the command prints both
// (ErrorPhaseLine).
struct ErrorInfo {
    std::string sExtraErrorText;
    std::string sPhase;
};

}  // namespace Corvanis
