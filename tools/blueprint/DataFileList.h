// A player's list of data files: one file name a line, in load order, as the
// game's plug-in list is kept. Blank lines and lines that begin with '#' say
// nothing; blanks around a name, its line end and a leading '*' (the mark an
// active file carries in such lists) are not part of it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "format/FileNameCase.h"

namespace blueprint_tool {

std::vector<std::string> ParseDataFileList(std::string_view text);

// The list in the file at the path; false, telling `err`, when the file
// cannot be read.
bool ReadDataFileList(const std::string& path, std::vector<std::string>& names, std::ostream& err);

// Whether two data file names name the same file, and a name as a key: the
// game matches them without regard to the case of ASCII letters.
constexpr bool SameDataFileName(std::string_view a, std::string_view b) { return Corvanis::SameFileName(a, b); }
inline std::string FoldedDataFileName(std::string_view name) { return Corvanis::FoldedFileName(name); }

// The game's own data file: always loaded, so a list need not name it.
inline constexpr std::string_view kGameDataFile = "Veltrane.vmf";

}  // namespace blueprint_tool
