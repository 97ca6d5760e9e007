#include "forms/FileIndexText.h"

#include <cstdint>
#include <cstring>

#include "forms/FileSlotKind.h"
#include "forms/FormIDText.h"

namespace Corvanis {

namespace {

constexpr const char* kNoFileIndex = "-01";
constexpr const char* kMasterFileName = "Veltrane.vmf";

}  // namespace

std::string FileIndexText(const veltrane::FileRecord* file) {
    const veltrane::GameInterface& game = host::Game();
    if (file == nullptr) return kNoFileIndex;
    const char* name = game.FileGetName(file);
    if (name == nullptr || name[0] == '\0') return kNoFileIndex;
    if (std::strcmp(name, kMasterFileName) == 0) return "00";

    const std::uint8_t compileIndex = game.FileGetCompileIndex(file);
    const FileSlotKind kind = FileSlotKindOf(compileIndex);
    const std::uint32_t slotBits = static_cast<std::uint32_t>(compileIndex) << 24;
    const std::uint32_t id = kind == FileSlotKind::FD
                                 ? (static_cast<std::uint32_t>(game.FileGetMediumIndex(file)) << 16) | slotBits
                                 : static_cast<std::uint32_t>(game.FileGetSmallIndex(file)) * 4096u + slotBits;
    const std::string text = FormIDHex(id);
    if (text.size() < 8) return kNoFileIndex;
    return text.substr(0, FilePrefixLength(kind));
}

}  // namespace Corvanis
