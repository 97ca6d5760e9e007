// What an import that went through tells the player. Every line is made
// before the game changes: once it has, the player must learn so whatever
// else fails, and printing a line made earlier needs no memory.
#pragma once

#include <string>
#include <vector>

#include "import/ShipBackup.h"

namespace Corvanis {

struct ImportReport {
    // Whole console lines, printed before the success line.
    std::vector<std::string> warnings;
    // Its report line follows the success line.
    ShipBackup backup;
};

void PrintImportReport(const char* successLine, const ImportReport& report) noexcept;

}  // namespace Corvanis
