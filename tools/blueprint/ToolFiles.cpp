#include "tools/blueprint/ToolFiles.h"

#include <exception>

#include "format/BlueprintFileName.h"
#include "platform/platform.h"

namespace blueprint_tool {

std::string TypedBlueprintPath(const std::string& typed) {
    platform::FileSystem& files = platform::SystemFiles();
    if (typed.empty() || files.QueryPath(typed) != platform::PathKind::NotFound) return typed;
    const std::string withExtension = typed + Corvanis::kBlueprintExtension;
    return files.QueryPath(withExtension) == platform::PathKind::RegularFile ? withExtension : typed;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    platform::FileSystem& files = platform::SystemFiles();
    platform::FileHandle file = platform::kNoFile;
    if (!files.OpenForReading(path, file)) return false;
    bool read = false;
    try {
        read = files.ReadWhole(file, bytes);
    } catch (const std::exception&) {
        read = false;
    }
    files.Close(file);
    return read;
}

bool ReadNamedFile(const std::string& path, std::string& bytes, std::ostream& err) {
    if (ReadWholeFile(path, bytes)) return true;
    err << "corvanis-blueprint: cannot read " << path << "\n";
    return false;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    platform::FileSystem& files = platform::SystemFiles();
    const std::string part = path + ".part";
    files.Remove(part);
    platform::FileHandle file = platform::kNoFile;
    if (files.CreateNewFile(part, file) != platform::CreateResult::Created) return false;
    const bool written = files.Write(file, bytes.data(), bytes.size());
    if (!files.Close(file) || !written) {
        files.Remove(part);
        return false;
    }
    if (files.QueryPath(path) == platform::PathKind::RegularFile) files.Remove(path);
    if (files.MoveNoReplace(part, path) != platform::MoveResult::Moved) {
        files.Remove(part);
        return false;
    }
    return true;
}

}  // namespace blueprint_tool
