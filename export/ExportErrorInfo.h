#pragma once

#include <string>

namespace Corvanis {

// Where an export stopped and why: the exporter sets the phase at each step
// and the text when it fails; the command prints both.
struct ExportErrorInfo {
    std::string sExtraErrorText;
    std::string sPhase;
};

}  // namespace Corvanis
