#include "sim/launcher/ConsoleInput.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "sim/Game.h"

namespace sim::launcher {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

void StripCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

bool ReadScript(const std::filesystem::path& file, std::vector<std::string>& lines) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return false;
    std::string line;
    while (std::getline(stream, line)) {
        StripCarriageReturn(line);
        const std::string command = Trimmed(line);
        if (command.empty() || command.front() == '#') continue;
        lines.push_back(command);
    }
    return !stream.bad();
}

bool EndsGame(const std::string& line) {
    std::string word = Trimmed(line);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word == "quit" || word == "exit";
}

bool RunConsoleLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        sim::PrintConsoleLine("> " + line);
        if (EndsGame(line)) return false;
        sim::RunConsoleLine(line);
    }
    return true;
}

void RunInteractiveConsole(std::istream& input, bool showPrompt) {
    std::string line;
    for (;;) {
        if (showPrompt) {
            std::fputs("> ", stdout);
            std::fflush(stdout);
        }
        if (!std::getline(input, line)) return;
        StripCarriageReturn(line);
        if (EndsGame(line)) return;
        if (!Trimmed(line).empty()) sim::RunConsoleLine(line);
    }
}

}  // namespace sim::launcher
