#pragma once

#include <string>

#include "forms/KeywordIDs.h"
#include "host/host.h"

namespace Corvanis {

// The game's keywords that decide which interior items a blueprint holds.
struct ExportKeywords {
    host::Form* spaceshipCockpitPilotSeat;    // the pilot's seat is part of the ship
    host::Form* spaceshipInventoryContainer;  // the ship's own cargo stays with the ship
    host::Form* workshopItemKeyword;          // links an item to its workshop
    host::Form* workshopKeyword;              // marks the workshop
};

// Looks the four keywords up. False, with the error text naming the first
// that is missing or not a keyword, when any is.
bool FindExportKeywords(ExportKeywords& keywords, std::string& errorText);

}  // namespace Corvanis
