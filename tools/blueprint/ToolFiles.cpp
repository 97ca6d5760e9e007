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

namespace {

// Stores the bytes in a new file beside the path; its name, or empty when
// they cannot be stored.
std::string WritePart(platform::FileSystem& files, const std::string& path, std::string_view bytes) {
    const std::string part = path + ".part";
    files.Remove(part);
    platform::FileHandle file = platform::kNoFile;
    if (files.CreateNewFile(part, file) != platform::CreateResult::Created) return {};
    const bool written = files.Write(file, bytes.data(), bytes.size());
    if (!files.Close(file) || !written) {
        files.Remove(part);
        return {};
    }
    return part;
}

}  // namespace

NewFileResult WriteNewFile(const std::string& path, std::string_view bytes) {
    platform::FileSystem& files = platform::SystemFiles();
    if (files.QueryPath(path) != platform::PathKind::NotFound) return NewFileResult::NameTaken;
    const std::string part = WritePart(files, path, bytes);
    if (part.empty()) return NewFileResult::Failed;
    const platform::MoveResult moved = files.MoveNoReplace(part, path);
    if (moved == platform::MoveResult::Moved) return NewFileResult::Written;
    files.Remove(part);
    return moved == platform::MoveResult::TargetExists ? NewFileResult::NameTaken : NewFileResult::Failed;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    platform::FileSystem& files = platform::SystemFiles();
    const std::string part = WritePart(files, path, bytes);
    if (part.empty()) return false;
    if (files.QueryPath(path) == platform::PathKind::RegularFile) files.Remove(path);
    if (files.MoveNoReplace(part, path) != platform::MoveResult::Moved) {
        files.Remove(part);
        return false;
    }
    return true;
}

}  // namespace blueprint_tool
