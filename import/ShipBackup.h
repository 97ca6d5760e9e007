// What an import replaces, saved before it changes anything as a blueprint
// that the same import reads back: "Spaceships\Backups\" + the ship's name +
// " layout " or " interior " + a number, counted per ship and kind from 1,
// so that the command that undoes an import is short enough to type.
#pragma once

#include <string>
#include <string_view>

#include "export/ShipBlueprintFile.h"
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
    // The line the import prints once it went through: the command that
    // undoes it, or why there is none. Made with the backup, so that
    // printing it after the game changed needs no memory.
    std::string reportLine;
};

// The ship's name as a backup's file name holds it: its displayed name, else
// its full name, else "Homeship"; each character a file name cannot hold on
// some system (those a blueprint name loses, and control characters)
// replaced by ';', and cut short at 100 bytes.
std::string BackupShipName(const ShipToExport& ship);

// Writes the backup (a blueprint with `contents`, which say what kind of
// backup it is) into the Backups folder of the Spaceships folder given,
// creating folders as needed, under the first number not yet taken for the
// ship and kind. A backup never replaces a file. `prefix` is the importing
// command's name, for the report line.
ShipBackup BackUpShip(const ShipToExport& ship, const BlueprintContents& contents, const std::string& spaceshipsFolder,
                      const char* prefix, platform::FileSystem& files);

// Removes a backup that was written, for an import that fails after it:
// there is nothing to undo then.
void RemoveBackup(const ShipBackup& backup, const std::string& spaceshipsFolder, platform::FileSystem& files);

}  // namespace Corvanis
