#include "forms/FormReference.h"

#include "forms/FormIDText.h"
#include "forms/HomeFile.h"

namespace Corvanis {

std::string LocalFormIDText(const host::Form* form, FileSlotKind kind) {
    const std::string id = FormIDHex(form);
    if (id.size() < 8) return {};
    switch (kind) {
        case FileSlotKind::Full:
        case FileSlotKind::FE:
        case FileSlotKind::FD:
            return id.substr(FilePrefixLength(kind));
    }
    return {};
}

std::optional<std::string> FormReferenceText(const host::Form* form) {
    const veltrane::FileRecord* home = FindHomeFile(form);
    if (home == nullptr) return std::nullopt;
    const veltrane::GameInterface& game = host::Game();
    const FileSlotKind kind = FileSlotKindOf(game.FileGetCompileIndex(home));
    return LocalFormIDText(form, kind) + "|" + game.FileGetName(home);
}

}  // namespace Corvanis
