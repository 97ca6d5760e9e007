#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "platform/native_files.h"
#include "platform/posix/native_path.h"

namespace platform::native {

PathKind QueryPath(const std::string& path) {
    struct stat status{};
    if (stat(posix::NativePath(path).c_str(), &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? PathKind::NotFound : PathKind::QueryFailed;
    }
    if (S_ISREG(status.st_mode)) return PathKind::RegularFile;
    if (S_ISDIR(status.st_mode)) return PathKind::Directory;
    return PathKind::Other;
}

bool ListFolder(const std::string& path, std::vector<std::string>& names) {
    DIR* folder = opendir(posix::NativePath(path).c_str());
    if (folder == nullptr) return false;
    names.clear();
    while (const dirent* entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    closedir(folder);
    return true;
}

}  // namespace platform::native
