// How the console splits what follows a command word: blanks separate
// arguments, and double quotes keep blanks inside one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// What separates a console line's words: a line may still carry its line end.
bool IsBlank(char c);

// None when a quote is left open.
std::optional<std::vector<std::string>> SplitArguments(std::string_view text);

// The game's parameter extractor. It reads the one text parameter of the
// command being run into the 512-byte buffer: a missing argument gives an
// empty text; an argument that does not fit (512 bytes or more), more
// arguments than the command has parameters, a parameter of a type other than
// text, or an open quote make it fail.
bool ExtractParameters(void* parameters, void* scriptData, void* opcodeOffset, void* thisObject,
                       void* containingObject, void* script, void* locals, char* textOut);

}  // namespace sim
