// The end of a start-up that cannot go on: a message box, then the process
// stops.
#pragma once

#include <string>
#include <string_view>

namespace Corvanis {

std::string FatalReportText(std::string_view functionName, int line, std::string_view errorText);

// Shows the report with the plug-in's title as caption and then terminates
// the process with exit code 0, however the box was closed.
[[noreturn]] void ReportFatalError(std::string_view functionName, int line, std::string_view errorText);

}  // namespace Corvanis
