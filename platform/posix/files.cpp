#include <sys/stat.h>

#include <cerrno>

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

}  // namespace platform::native
