#include "frame/settings/IniFile.h"

#include "platform/platform.h"

namespace Corvanis {

namespace {

// The path buffer the system calls are handed, and the largest value a read
// returns.
constexpr std::size_t kPathBufferSize = 255;
constexpr std::size_t kValueBufferSize = 10000;

bool Missing(platform::FileSystem& files, const std::string& path) {
    const platform::PathKind kind = files.QueryPath(path);
    return kind == platform::PathKind::NotFound || kind == platform::PathKind::QueryFailed;
}

}  // namespace

std::optional<std::string> IniPath(const std::string& fileBaseName, const std::string& replacementFolder) {
    std::string path = (replacementFolder.empty() ? std::string(kDefaultIniFolder) : replacementFolder) +
                       fileBaseName + ".ini";
    if (path.size() >= kPathBufferSize || path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

std::string ReadIniValue(const std::string& fileBaseName, const std::string& section, const std::string& key,
                         const std::string& replacementFolder, platform::FileSystem& files) {
    if (fileBaseName.empty() || section.empty() || key.empty()) return {};
    const auto path = IniPath(fileBaseName, replacementFolder);
    if (!path || Missing(files, *path)) return {};
    return files.ReadProfileString(section, key, "", *path, kValueBufferSize);
}

bool WriteIniValue(const std::string& fileBaseName, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& replacementFolder, platform::FileSystem& files) {
    if (fileBaseName.empty() || section.empty() || key.empty()) return false;
    const auto path = IniPath(fileBaseName, replacementFolder);
    if (!path) return false;
    // A refused write could otherwise pass the read-back below, which answers
    // with the value itself when the key is absent.
    if (!files.WriteProfileString(section, key, value, *path)) return false;
    if (files.QueryPath(*path) == platform::PathKind::NotFound) return false;
    return files.ReadProfileString(section, key, value, *path, kValueBufferSize) == value;
}

}  // namespace Corvanis
