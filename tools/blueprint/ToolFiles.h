// The files a player names on the tool's command line, read and written
// through the platform layer as the plug-in's files are.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace blueprint_tool {

// The path of the blueprint a player names: as typed when a file has it,
// else with ".txt" added when a file has that, as the game finds NAME.txt for
// NAME; else as typed.
std::string TypedBlueprintPath(const std::string& typed);

// The file's bytes as stored; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// ReadWholeFile, telling `err` when the file cannot be read.
bool ReadNamedFile(const std::string& path, std::string& bytes, std::ostream& err);

// Writes the bytes to the path, replacing a file of that name only once all
// of them are stored beside it. False when they cannot be stored.
bool ReplaceFile(const std::string& path, std::string_view bytes);

enum class NewFileResult { Written, NameTaken, Failed };

// Writes the bytes to a file of the path that does not exist yet: a file
// beside it first, given the name only once all bytes are stored, and never
// in place of anything that has the name by then.
NewFileResult WriteNewFile(const std::string& path, std::string_view bytes);

}  // namespace blueprint_tool
