// The layout import: the blueprint is read whole into a LayoutAccumulator
// and judged as a whole, the home ship is saved to a backup, the game's
// memory for the new lists is taken, and only then are the components of its
// base form replaced. Every refusal leaves the ship as it was.
#pragma once

#include <string>

#include "frame/settings/Settings.h"
#include "host/host.h"
#include "import/ImportErrorInfo.h"
#include "import/ImportReport.h"
#include "import/reading/LayoutReader.h"
#include "platform/platform.h"

namespace Corvanis {

// Imports directory + fileName (joined as they are; the directory is the
// Spaceships folder, whose Backups folder gets the backup) into the base
// form of the ship reference. True when the layout was imported: `report`
// then holds what to tell the player, the backup's line included. False with
// the phase and the reason in `error`; `version` holds the version of the
// last version line read. The settings are not consulted.
bool ImportShipLayoutToBaseOfRef(host::Form* theShipRef, std::string directory, std::string fileName,
                                 SettingsFlags settings, ImportErrorInfo& error,
                                 ReturnStorageBlueprintVersionInfo& version, ImportReport& report,
                                 platform::FileSystem& files = platform::SystemFiles());

}  // namespace Corvanis
