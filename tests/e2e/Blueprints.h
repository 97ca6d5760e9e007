// What the tests check of blueprint files and of the export's console lines.
#pragma once

#include <filesystem>
#include <string>

#include "tests/e2e/harness/Text.h"

namespace e2e {

// Checks every rule of the file's grammar: CR LF line ends and nothing after
// the last one, the header, the empty line, data and presence lines with
// decimal indices, the sections in their order, the display name once.
void ExpectBlueprintGrammar(const std::string& bytes);

// The file's lines with what differs from run to run masked: the export
// time as "Export time: <time>" and the item extras' identities as
// "<address>". The grammar is checked first.
Lines ComparableBlueprint(const std::filesystem::path& file);

// The line with the object address in a form description ("[ID | ADDRESS
// | ...") masked as "<address>". An address that is not upper-case
// hexadecimal without leading zeros is left as it is, so the comparison
// fails.
std::string MaskDescriptionAddress(const std::string& line);
Lines MaskDescriptionAddresses(Lines lines);

// The names of the entries of a folder, sorted.
Lines FolderEntries(const std::filesystem::path& folder);

}  // namespace e2e
