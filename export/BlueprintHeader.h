// The lines a blueprint starts with: the ship, the time of the export and
// the version of the format, then an empty line.
#pragma once

#include <string>

#include "export/BlueprintWriter.h"
#include "format/BackupLines.h"
#include "format/Version.h"
#include "host/host.h"

namespace Corvanis {

// The reference's override name when it has one, else its base object's
// display name, else empty.
std::string ReferenceDisplayName(const host::Form* reference);

// The reference's override name; empty when it has none.
std::string OverrideName(const host::Form* reference);

// Writes the header lines for the ship reference, named as given: the ship,
// the time, the version, a backup's line when it is one, and the empty line.
void WriteBlueprintHeader(BlueprintWriter& out, const host::Form* theShipRef, const std::string& displayName,
                          BackupKind backup = BackupKind::None);

}  // namespace Corvanis
