// The game console's output: one line per message on standard output, flushed
// at once, because tests read it through a pipe and plug-ins write their own
// diagnostics to the same stream.
#pragma once

#include <functional>
#include <string>

namespace sim {

void WriteConsoleLine(const std::string& text);

// The game's printf-style console print. Every call is one line.
void ConsolePrintFormatted(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The exit code of a game that ended on a game error.
constexpr int kGameErrorExitCode = 3;

// A line about something the game itself noticed going wrong (a plug-in
// handing it a bad record, a bad pointer, ...), then what the game does about
// it: the real game would crash or corrupt itself, so by default the process
// ends at once with kGameErrorExitCode.
void ReportGameError(const std::string& text);

// Replaces that ending, for tests that run the game in-process and fail the
// test instead; an empty function brings the ending back. The call that
// found the error carries on once the response returns.
using GameErrorResponse = std::function<void(const std::string& text)>;
void SetGameErrorResponse(GameErrorResponse response);

}  // namespace sim
