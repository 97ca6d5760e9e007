// A repaired copy of a blueprint: its form references' data files renamed,
// and the decoration items and cargo entries of data files the player does
// not load left out, the rest numbered anew. Which lines hold form references
// is what the importers' own readers look up while they read the file; which
// lines an element has, and how elements are numbered, is the format's
// (format/OptionalLists.h). Every other byte stays as it was, line ends
// included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace blueprint_tool {

struct DataFileRename {
    std::string from;  // matched without regard to case, as the game matches it
    std::string to;
};

struct FixRequest {
    std::vector<DataFileRename> renames;
    // Set: leave out what names a data file not in the list (after renaming).
    std::optional<std::vector<std::string>> loadedFiles;
};

struct RenamedReferences {
    std::string from;  // as the request spells it
    std::string to;
    std::size_t references = 0;
};

// Elements of one list left out because they name one data file.
struct LeftOutElements {
    std::string_view list;  // "decoration items"
    std::string dataFile;
    std::size_t elements = 0;
};

// A line that names a form of a data file not loaded and belongs to no list
// whose elements a ship can do without: a module, a component's form.
struct IndispensableLine {
    std::size_t lineNumber = 0;
    std::string line;
    std::string dataFile;
};

struct FixResult {
    std::string bytes;
    std::vector<RenamedReferences> renamed;  // one per rename asked for, in order
    std::vector<LeftOutElements> leftOut;    // by list, then data file in order of first line
    // Not empty: nothing can be left out for these, and `bytes` is no repair.
    std::vector<IndispensableLine> indispensable;

    bool Changed() const;
};

FixResult FixBlueprint(std::string_view bytes, const FixRequest& request);

// "OLD=NEW" as a rename; none when either side is empty or NEW holds a
// character that cannot stand in a form reference ('|', a line break).
std::optional<DataFileRename> ParseDataFileRename(std::string_view text);

}  // namespace blueprint_tool
