#include "forms/HomeFile.h"

#include <string>

#include "forms/FileIndexText.h"
#include "forms/FormIDText.h"
#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

constexpr std::uint32_t kActiveFileFlag = 0x1;

const veltrane::FileList* FileListOf(const host::Form* form) {
    const veltrane::GameInterface& game = host::Game();
    const std::uint16_t index = game.FormGetFileListIndex(form);
    const veltrane::FileListTable* table = game.fileLists;
    if (index == veltrane::kNoFileList || index >= table->count) return nullptr;
    return &table->lists[index];
}

bool IsCandidate(const veltrane::FileRecord* file) {
    const veltrane::GameInterface& game = host::Game();
    return file != nullptr && game.IsFileRecord(file) && (game.FileGetFlags(file) & kActiveFileFlag) != 0;
}

}  // namespace

const veltrane::FileRecord* FindHomeFile(const host::Form* form) {
    if (form == nullptr) return nullptr;
    const std::string prefix = FormIDPrefix(form);
    if (prefix.empty()) return nullptr;
    const veltrane::FileList* list = FileListOf(form);
    if (list == nullptr || list->files == nullptr) return nullptr;
    // A file listed twice gives the same text twice, so the first entry whose
    // text matches is the first file in list order that does.
    for (std::uint32_t i = 0; i < list->count; ++i) {
        const veltrane::FileRecord* file = list->files[i];
        if (IsCandidate(file) && FileIndexText(file) == prefix) return file;
    }
    return nullptr;
}

}  // namespace Corvanis
