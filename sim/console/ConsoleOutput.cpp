#include "sim/console/ConsoleOutput.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "sim/Game.h"

namespace sim {

namespace {

ConsoleObserver& Observer() {
    static ConsoleObserver observer;
    return observer;
}

GameErrorResponse& ErrorResponse() {
    static GameErrorResponse response;
    return response;
}

// As a crash would: nothing more of the game runs, no exit handler, no
// destructor.
[[noreturn]] void EndAsACrashWould() {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(kGameErrorExitCode);
}

}  // namespace

void WriteConsoleLine(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (Observer()) Observer()(text);
}

void ConsolePrintFormatted(const char* format, ...) {
    if (format == nullptr) return;
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length < 0) {
        va_end(arguments);
        ReportGameError("ConsolePrint was handed a format it cannot print");
        return;
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    WriteConsoleLine(std::string(text.data(), static_cast<std::size_t>(length)));
}

void ReportGameError(const std::string& text) {
    WriteConsoleLine("Game error: " + text);
    if (!ErrorResponse()) EndAsACrashWould();
    ErrorResponse()(text);
}

void SetGameErrorResponse(GameErrorResponse response) { ErrorResponse() = std::move(response); }

void SetConsoleObserver(ConsoleObserver observer) { Observer() = std::move(observer); }

}  // namespace sim
