// The game console's output: one line per message on standard output, flushed
// at once, because tests read it through a pipe and plug-ins write their own
// diagnostics to the same stream.
#pragma once

#include <string>

namespace sim {

void WriteConsoleLine(const std::string& text);

// The game's printf-style console print. Every call is one line.
void ConsolePrintFormatted(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A line about something the game itself noticed going wrong (a plug-in
// handing it a bad record, a bad pointer, ...).
void ReportGameError(const std::string& text);

}  // namespace sim
