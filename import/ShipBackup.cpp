#include "import/ShipBackup.h"

#include "format/BlueprintFileName.h"
#include "host/layouts/ShipComponents.h"
#include "host/layouts/StringsAndArrays.h"

namespace Corvanis {

namespace {

// Long enough for any ship's name, short enough that the whole file name
// stays far from the 255 bytes file systems allow.
constexpr std::size_t kLongestShipName = 100;
// Backups of one ship and kind that a player may keep.
constexpr int kMostBackups = 100000;

bool IsControlCharacter(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// Cut at a character's first byte, so that a UTF-8 name stays whole.
std::string CutShort(std::string name) {
    if (name.size() <= kLongestShipName) return name;
    std::size_t end = kLongestShipName;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    name.resize(end);
    return name;
}

std::string FullName(const ShipToExport& ship) {
    const auto* component = host::FindComponent<veltrane::FullNameComponent>(ship.form);
    return component != nullptr ? veltrane::FixedStringText(component->fullName) : "";
}

bool NameIsFree(platform::FileSystem& files, const std::string& path) {
    const platform::PathKind taken = files.QueryPath(path);
    return taken == platform::PathKind::NotFound || taken == platform::PathKind::QueryFailed;
}

std::string UndoLine(const char* prefix, const BlueprintContents& contents, const std::string& name) {
    return std::string(prefix) + ": INFO: the previous " + std::string(BackupKindName(contents.backup)) +
           " was saved; to undo, run: " + prefix + " \"" + kBackupsFolder + name + "\"";
}

std::string NotCarriedLine(const char* prefix, const std::string& errorText) {
    return std::string(prefix) +
           ": WARNING: this import cannot be undone: the ship holds something that no blueprint can carry, so no "
           "backup was written (" +
           errorText + ")";
}

}  // namespace

std::string BackupShipName(const ShipToExport& ship) {
    std::string name = ship.displayName;
    if (name.empty()) name = FullName(ship);
    if (name.empty()) name = "Homeship";
    name = SanitizeBlueprintFileName(std::move(name));
    // A player types a blueprint name; a ship's name may hold anything.
    for (char& c : name) {
        if (IsControlCharacter(c)) c = ';';
    }
    return CutShort(std::move(name));
}

ShipBackup BackUpShip(const ShipToExport& ship, const BlueprintContents& contents, const std::string& spaceshipsFolder,
                      const char* prefix, platform::FileSystem& files) {
    // A blueprint named with a path may come from elsewhere; the backups
    // still go into the Spaceships folder, which ends with its separator.
    if (!spaceshipsFolder.empty() && files.QueryPath(spaceshipsFolder) != platform::PathKind::Directory) {
        files.CreateFolder(spaceshipsFolder.substr(0, spaceshipsFolder.size() - 1));
    }
    const std::string folder = spaceshipsFolder + kBackupsFolder;
    ShipToExport backedUp = ship;
    backedUp.forUndo = true;
    const std::string stem = BackupShipName(ship) + " " + std::string(BackupKindName(contents.backup)) + " ";
    ExportErrorInfo error;
    for (int number = 1; number <= kMostBackups; ++number) {
        const std::string name = stem + std::to_string(number);
        const std::string fileName = name + kBlueprintExtension;
        if (!NameIsFree(files, folder + fileName)) continue;
        switch (WriteShipBlueprintFile(backedUp, contents, folder, fileName, error, files)) {
            case ShipFileResult::Written:
                return {BackupResult::Written, name, {}, UndoLine(prefix, contents, name)};
            case ShipFileResult::NameTaken:
                continue;
            case ShipFileResult::FileRefused:
                return {BackupResult::Refused, {}, error.sExtraErrorText, {}};
            case ShipFileResult::ShipNotCarried:
                return {BackupResult::ShipNotCarried, {}, error.sExtraErrorText,
                        NotCarriedLine(prefix, error.sExtraErrorText)};
        }
    }
    if (error.sExtraErrorText.empty()) {
        error.sExtraErrorText = "Blueprint write error: every backup name from [" + folder + stem + "1" +
                                kBlueprintExtension + "] on is taken";
    }
    return {BackupResult::Refused, {}, error.sExtraErrorText, {}};
}

void RemoveBackup(const ShipBackup& backup, const std::string& spaceshipsFolder, platform::FileSystem& files) {
    if (backup.result != BackupResult::Written) return;
    files.Remove(spaceshipsFolder + kBackupsFolder + backup.name + kBlueprintExtension);
}

}  // namespace Corvanis
