// One pass of the importers' own readers over every line of a blueprint, as
// ImportShipLayout and ImportShipInterior read it, except that a refusal does
// not end the pass: what the readers took, every line they refuse, every line
// none of them reads, and every form whose data file is not loaded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/ImportErrorInfo.h"
#include "import/reading/InteriorReader.h"
#include "import/reading/LayoutAccumulator.h"
#include "import/reading/LayoutReader.h"
#include "import/reading/ReadingNotes.h"
#include "tools/blueprint/DataFileResolver.h"
#include "tools/blueprint/ShipHeader.h"
#include "tools/blueprint/ShipModel.h"

namespace blueprint_tool {

// The importers, by the names of their console commands.
inline constexpr const char* kLayoutImporter = "ImportShipLayout";
inline constexpr const char* kInteriorImporter = "ImportShipInterior";

// A line that stops an import, or that names a form whose data file is not
// loaded; or, without a line, a file that an import refuses as a whole.
struct Problem {
    std::size_t lineNumber = 0;  // 0: the file as a whole
    std::string line;
    // The importer that refuses the file for this line, and what it reports;
    // no importer for a form that only misses its data file.
    const char* importer = nullptr;
    Corvanis::ImportErrorInfo error;
    // Why, in a few words, where the reader says more than the game prints.
    std::string reason;
    std::vector<MissingForm> missingForms;
    // The later lines of the same list refused only because this line was:
    // their number, and the last of them.
    std::size_t followingLines = 0;
    std::size_t lastFollowingLine = 0;
};

// A line that no importer reads: its value does not come back.
struct UnreadLine {
    std::size_t lineNumber;
    std::string line;
};

struct BlueprintReading {
    ShipHeader header;
    // False when no line is one an import reads: the file is no blueprint.
    bool isBlueprint = false;
    Corvanis::ReturnStorageBlueprintVersionInfo version;
    // Set when a version line gives a version newer than the importers read.
    bool newerVersion = false;
    std::size_t newerVersionLine = 0;

    std::vector<Problem> problems;  // in line order
    std::vector<UnreadLine> unread;
    // What the game reads otherwise than the line says.
    std::vector<Corvanis::ReadingNote> notes;

    // What the readers took: the layout import's accumulator and the
    // interior import's items.
    Corvanis::LayoutAccumulator layout;
    std::vector<Corvanis::DecorItemRecord> decorItems;
    // The ship components the blueprint holds lines of, in the order of their
    // first line: "QRNKeywordForm", "Blueprint", "KORModel" ...
    std::vector<std::string> components;
};

// Reads the bytes of a blueprint file with the importers' readers, finding
// forms through the resolver.
BlueprintReading ReadBlueprint(std::string_view bytes, DataFileResolver& forms);

// The modules and decoration items the readers took, with their forms'
// references as the blueprint spells them.
std::vector<ShipModule> Modules(const BlueprintReading& reading, const DataFileResolver& forms);
std::vector<DecorationItem> DecorationItems(const BlueprintReading& reading, const DataFileResolver& forms);

// Reads the file at the path as the importers open it (a file they may not
// change is refused, as they refuse it). False when it cannot be read at all.
bool ReadBlueprintFile(const std::string& path, DataFileResolver& forms, BlueprintReading& reading);

}  // namespace blueprint_tool
