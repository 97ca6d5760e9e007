// The home ship as it was before an import changes it, saved as a blueprint
// that the same import reads back: "Spaceships\Backups\" + the ship's name +
// " before import " + the local time + ".txt".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/DecorationItems.h"
#include "export/sections/ShipSections.h"
#include "platform/platform.h"

namespace Corvanis {

constexpr const char* kBackupsFolder = "Backups\\";

enum class BackupResult {
    Written,
    // The ship holds what a blueprint cannot carry: no backup can be made of
    // it, now or later.
    ShipNotCarried,
    // The folder or the disk refused the backup.
    Refused,
};

struct ShipBackup {
    BackupResult result = BackupResult::Refused;
    // The backup's file name without ".txt", when it was written.
    std::string name;
    // The export's error text, when it was not.
    std::string errorText;
};

// The ship's name as a backup's file name holds it: its displayed name, else
// its full name, else "Homeship"; each character a file name cannot hold on
// some system (those a blueprint name loses, and control characters)
// replaced by ';', and cut short at 100 bytes.
std::string BackupShipName(const ShipToExport& ship);

// Writes the ship with the items into the Backups folder of the Spaceships
// folder given, creating folders as needed, under the ship's name, the
// occasion (" before import ") and the local time; a name that is taken gets
// " (2)", " (3)" ... A backup never replaces a file.
ShipBackup BackUpShip(const ShipToExport& ship, const std::vector<DecorationItem>& items,
                      const std::string& spaceshipsFolder, std::string_view occasion, platform::FileSystem& files);

// Removes a backup that was written, for an import that fails after it:
// there is nothing to undo then.
void RemoveBackup(const ShipBackup& backup, const std::string& spaceshipsFolder, platform::FileSystem& files);

// The line an import prints after its success line: how to undo it with the
// backup, as 'ImportShipLayout: INFO: the previous layout was saved; to undo,
// run: ImportShipLayout "Backups\NAME"', or why there is none. The command's
// prefix is its name; `what` names what the backup holds.
void PrintBackupLine(const char* prefix, std::string_view what, const ShipBackup& backup);

}  // namespace Corvanis
