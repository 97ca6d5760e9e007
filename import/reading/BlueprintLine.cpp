#include "import/reading/BlueprintLine.h"

namespace Corvanis {

bool HasKey(const BlueprintLine& line, std::string_view key) {
    if (key.ends_with(" |")) {
        key.remove_suffix(1);
        return line.HasSeparator() && line.KeyPart().ends_with(key);
    }
    return line.KeyPart().find(key) != std::string_view::npos;
}

bool IsVersionLine(const BlueprintLine& line) {
    // Asked of every line, and almost every line starts otherwise.
    const std::string_view text = line.Text();
    return !text.empty() && text.front() == 'V' && text.starts_with("Version:");
}

BackupKind BackupLineKind(const BlueprintLine& line) {
    const std::string_view text = line.Text();
    if (text.empty() || text.front() != 'B' || !text.starts_with(kBackupLineStart)) return BackupKind::None;
    const std::string_view kind = text.substr(kBackupLineStart.size());
    if (kind == kLayoutBackupName) return BackupKind::Layout;
    if (kind == kInteriorBackupName) return BackupKind::Interior;
    return BackupKind::None;
}

}  // namespace Corvanis
