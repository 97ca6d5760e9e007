// The lists of a blueprint whose elements a ship can do without: its
// decoration items, its cargo entries and, in an interior backup, the items
// the import placed. Every line of an element carries the element's index
// after the list's key ("DecorItem[3].fPosX |..."), and the readers number
// the elements 0, 1, 2 ... in the order of the lines that make them: an
// item's ".base" line, a cargo entry's ".count" line. A list that loses an
// element must therefore be numbered anew for the readers to take the rest.
// Every other record of a blueprint is part of the ship, and no line of it
// can be left out.
#pragma once

#include <string_view>

#include "format/BackupLines.h"

namespace Corvanis {

struct OptionalList {
    // What every line of an element holds in its key part, up to the index.
    std::string_view key;
    // The field whose line makes the next element; empty when each line is
    // an element of its own.
    std::string_view makingField;
    // As a person counts the elements: "decoration items".
    std::string_view name;
};

inline constexpr OptionalList kDecorationItems{"DecorItem[", ".base", "decoration items"};
inline constexpr OptionalList kCargoEntries{"KORContainer[", ".count", "cargo entries"};
inline constexpr OptionalList kPlacedByImportItems{kPlacedByImportMarker, {}, "items placed by the import"};

inline constexpr OptionalList kOptionalLists[] = {kDecorationItems, kCargoEntries, kPlacedByImportItems};

}  // namespace Corvanis
