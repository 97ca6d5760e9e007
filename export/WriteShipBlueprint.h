#pragma once

#include <string>

#include "export/ExportErrorInfo.h"
#include "frame/settings/Settings.h"
#include "host/host.h"
#include "platform/platform.h"

namespace Corvanis {

// Writes the ship the reference stands for, with the decoration items of its
// interior cell that the settings select, to folder + the sanitised file
// name. The blueprint appears complete or not at all, and never replaces a
// file. False, with the phase and the reason in `error`, when it was not
// written.
bool WriteShipBlueprint(host::Form* theShipRef, host::Form* theInteriorCell, std::string folder,
                        std::string fileName, SettingsFlags settings, ExportErrorInfo& error,
                        platform::FileSystem& files = platform::SystemFiles());

}  // namespace Corvanis
