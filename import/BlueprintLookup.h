// Which file a blueprint name that a player typed stands for. Names reach
// the file system as typed, so that "Backups\Kestrel before import ..." finds
// a backup; but an export stores a name holding characters that a file name
// cannot hold under its sanitised name ("Mk2/Rebirth" as "Mk2;Rebirth.txt"),
// and a player imports under the name they exported.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace Corvanis {

// The file name under the folder: as typed when a regular file has it; else
// the sanitised name, when it differs and a regular file has it; else, for a
// name that ends with the extension twice ("Pathfinder.txt.txt"), the same
// for the name with the extension once; else none.
std::optional<std::string> FindBlueprintFile(const std::string& folder, const std::string& fileName,
                                             platform::FileSystem& files);

}  // namespace Corvanis
