// What the importers refuse of a blueprint as a whole, once every line has
// been read: a file that is no blueprint, a layout without a module, an
// interior without an item. A backup is what a ship or an interior was, so
// its kind of import takes it whatever it holds.
#pragma once

#include <string>
#include <string_view>

#include "import/reading/BlueprintLine.h"
#include "import/reading/LineVerdict.h"

namespace Corvanis {

// The phase of these refusals.
inline constexpr const char* kWholeBlueprintPhase = "checking the blueprint as a whole";

// Whether the line shows that its file is a blueprint: a line of the header,
// or one a reader read.
inline bool ShowsBlueprint(const BlueprintLine& line, LineVerdict verdict) {
    return verdict == LineVerdict::Read || IsShipLine(line) || IsVersionLine(line);
}

// Why a file none of whose lines shows a blueprint is refused, with what to
// do about a file saved as UTF-16, whose lines no reader can see.
std::string NoBlueprintText(std::string_view bytes);

inline constexpr const char* kNoModuleText =
    "the blueprint gives the ship no module (it has no \"Blueprint.data[0]\" lines), and a ship cannot do without "
    "modules";
inline constexpr const char* kNoDecorationItemText =
    "the blueprint holds no decoration item (it has no \"DecorItem[0].base\" line), so the import would only empty "
    "the interior";

}  // namespace Corvanis
