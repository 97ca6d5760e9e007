// The lines that make a blueprint a backup. A backup is what an import
// replaced, saved before it changed anything; importing it undoes that
// import, so it is read whole, whatever the import's settings say.
//
// - Its header says which import saved it, in a line of its own after the
//   version line: "Backup: layout" or "Backup: interior".
// - An interior backup lists, after its decoration items, the items that the
//   import placed, so that importing the backup takes them away again even
//   where its clearing would leave them:
//   "PlacedByImport[" index "] |" the reference's form ID in eight upper-case
//   hexadecimal digits, "|", the form reference of its base object.
//
// Neither line holds a key that an older reader knows, so older readers read
// past them.
#pragma once

#include <string_view>

namespace Corvanis {

enum class BackupKind { None, Layout, Interior };

inline constexpr std::string_view kBackupLineStart = "Backup: ";
inline constexpr std::string_view kLayoutBackupName = "layout";
inline constexpr std::string_view kInteriorBackupName = "interior";

inline constexpr std::string_view BackupKindName(BackupKind kind) {
    return kind == BackupKind::Layout ? kLayoutBackupName : kind == BackupKind::Interior ? kInteriorBackupName : "";
}

inline constexpr char kPlacedByImportMarker[] = "PlacedByImport[";

}  // namespace Corvanis
