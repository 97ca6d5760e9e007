#include "import/ShipBackup.h"

#include "export/BlueprintFileName.h"
#include "export/ShipBlueprintFile.h"
#include "frame/CommandPreamble.h"
#include "frame/Timestamp.h"

namespace Corvanis {

namespace {

// Long enough for any ship's name, short enough that the whole file name
// stays far from the 255 bytes file systems allow.
constexpr std::size_t kLongestShipName = 100;
// Backups of one ship within one second.
constexpr int kNameAttempts = 100;

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
    const auto* component = host::FindComponent<veltrane::FullNameComponent>(ship.form, "KORFullName_Component");
    return component != nullptr ? veltrane::FixedStringText(component->fullName) : "";
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

ShipBackup BackUpShip(const ShipToExport& ship, const std::vector<DecorationItem>& items,
                      const std::string& spaceshipsFolder, std::string_view occasion, platform::FileSystem& files) {
    // A blueprint named with a path may come from elsewhere; the backups
    // still go into the Spaceships folder, which ends with its separator.
    if (!spaceshipsFolder.empty() && platform::QueryPath(spaceshipsFolder) != platform::PathKind::Directory) {
        files.CreateFolder(spaceshipsFolder.substr(0, spaceshipsFolder.size() - 1));
    }
    const std::string folder = spaceshipsFolder + kBackupsFolder;
    const std::string stem = BackupShipName(ship) + std::string(occasion) + MakeFileNameTimestamp();
    ExportErrorInfo error;
    for (int copy = 1; copy <= kNameAttempts; ++copy) {
        const std::string name = copy == 1 ? stem : stem + " (" + std::to_string(copy) + ")";
        const std::string fileName = name + kBlueprintExtension;
        const platform::PathKind taken = platform::QueryPath(folder + fileName);
        if (taken != platform::PathKind::NotFound && taken != platform::PathKind::QueryFailed) continue;
        switch (WriteShipBlueprintFile(ship, items, folder, fileName, error, files)) {
            case ShipFileResult::Written:
                return {BackupResult::Written, name, {}};
            case ShipFileResult::NameTaken:
                continue;
            case ShipFileResult::FileRefused:
                return {BackupResult::Refused, {}, error.sExtraErrorText};
            case ShipFileResult::ShipNotCarried:
                return {BackupResult::ShipNotCarried, {}, error.sExtraErrorText};
        }
    }
    if (error.sExtraErrorText.empty()) {
        error.sExtraErrorText = "Blueprint write error: file already exists at [" + folder + stem + kBlueprintExtension + "]";
    }
    return {BackupResult::Refused, {}, error.sExtraErrorText};
}

void RemoveBackup(const ShipBackup& backup, const std::string& spaceshipsFolder, platform::FileSystem& files) {
    if (backup.result != BackupResult::Written) return;
    files.Remove(spaceshipsFolder + kBackupsFolder + backup.name + kBlueprintExtension);
}

void PrintBackupLine(const char* prefix, std::string_view what, const ShipBackup& backup) {
    if (backup.result == BackupResult::Written) {
        PrintCommandInfo(prefix, "the previous " + std::string(what) + " was saved; to undo, run: " + prefix + " \"" +
                                     kBackupsFolder + backup.name + "\"");
    } else {
        host::PrintConsole((std::string(prefix) + ": WARNING: no backup was written: " + backup.errorText).c_str());
    }
}

}  // namespace Corvanis
