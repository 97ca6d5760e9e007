// Reading and writing the files and texts the tests compare.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using Lines = std::vector<std::string>;

// The lines of a text; LF or CR LF end a line, and a last line without an
// end still counts.
Lines SplitLines(std::string_view text);

// The lines that start with the prefix, whole, in order.
Lines LinesStartingWith(const Lines& lines, std::string_view prefix);

std::string ReadBytes(const std::filesystem::path& file);
Lines ReadLines(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace e2e
