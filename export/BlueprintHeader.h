// The lines a blueprint starts with: the ship, the time of the export and
// the version of the format, then an empty line.
#pragma once

#include <string>

#include "export/BlueprintWriter.h"
#include "host/host.h"

namespace Corvanis {

constexpr const char* kBlueprintVersionText = "2.00";

// The reference's override name when it has one, else its base object's
// display name, else empty.
std::string ReferenceDisplayName(const host::Form* reference);

// Writes the four header lines for the ship reference, named as given.
void WriteBlueprintHeader(BlueprintWriter& out, const host::Form* theShipRef, const std::string& displayName);

}  // namespace Corvanis
