// A ship written to a blueprint file: the header, the sections of its base
// form's components and the decoration items its caller chose. The export
// writes the items the settings select; an import that saves the ship it is
// about to change chooses its own.
#pragma once

#include <string>
#include <vector>

#include "export/DecorationItems.h"
#include "export/ExportErrorInfo.h"
#include "export/sections/ShipSections.h"
#include "format/BackupLines.h"
#include "host/host.h"
#include "platform/platform.h"

namespace Corvanis {

enum class ShipFileResult {
    Written,
    // A file took the name while the blueprint was being written.
    NameTaken,
    // The folder could not be made, or the file could not be written or
    // given its name.
    FileRefused,
    // The ship holds what a blueprint cannot carry: a form that comes from
    // no data file, a property sheet that is missing or empty.
    ShipNotCarried,
};

// What a blueprint holds after its header.
struct BlueprintContents {
    // The sections of the ship's components; an interior backup holds the
    // interior alone.
    bool layout = true;
    std::vector<DecorationItem> items;
    // A backup's: what it is a backup of, and the references that the import
    // which saved it placed.
    BackupKind backup = BackupKind::None;
    std::vector<const host::Form*> placedByImport;
};

// The ship the reference stands for, with the name its blueprint's header
// shows. Its form is null when the reference's base object is not a generic
// base form.
ShipToExport ShipOfReference(host::Form* theShipRef);

// Writes the ship's blueprint to folder + fileName (the name as the file
// gets it), creating the folder when it is missing. The blueprint appears
// complete or not at all, and never replaces a file. Anything but Written
// leaves the phase and the reason in `error`.
ShipFileResult WriteShipBlueprintFile(const ShipToExport& ship, const BlueprintContents& contents,
                                      std::string folder, const std::string& fileName, ExportErrorInfo& error,
                                      platform::FileSystem& files);

}  // namespace Corvanis
