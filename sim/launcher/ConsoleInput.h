// Where the game's console lines come from: the command line's --run lines,
// a script file, or the player typing on standard input.
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace sim::launcher {

// The commands of a script file: one a line, LF or CR LF ended; blank lines
// and lines whose first non-blank character is '#' are skipped. False when
// the file cannot be read.
bool ReadScript(const std::filesystem::path& file, std::vector<std::string>& lines);

// "quit" or "exit", in any case and with blanks around: the line ends the game.
bool EndsGame(const std::string& line);

// Runs the lines in order, each shown as "> " and the line before it runs so
// that the output reads as a transcript. False when a line ended the game.
bool RunConsoleLines(const std::vector<std::string>& lines);

// Runs what the player types until end of input or a line that ends the
// game; blank lines are skipped. The prompt "> " is shown when asked for.
void RunInteractiveConsole(std::istream& input, bool showPrompt);

}  // namespace sim::launcher
