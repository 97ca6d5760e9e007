// What the plug-in makes of the branch trampoline's reports: the search's
// diagnostics, and the failed consistency checks that stop the process. They
// read as they always have, under the trampoline's own name and line
// numbers, so that reports from players stay comparable.
#pragma once

#include <string>

#include "orbx_common/BranchTrampoline.h"

namespace Corvanis {

// Writes one diagnostic line for each event of the search.
void ReportTrampolineSearch(const TrampolineSearch& search);

// The line of a failed check: "Assertion failed in
// orbx_common/BranchTrampoline (255): result". Empty for a status that is no
// failed check (Ok, NotWritable).
std::string FailedCheckReport(TrampolineStatus status);

// Stops the process after the line of a failed check, with the exit code of
// abort() on Windows, so that the stop reads as abnormal; gives every other
// status back.
TrampolineStatus StopOnFailedCheck(TrampolineStatus status);

}  // namespace Corvanis
