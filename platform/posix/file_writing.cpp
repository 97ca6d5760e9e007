#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"
#include "platform/posix/native_path.h"

namespace platform {

namespace {

// Link and unlink where the file system cannot rename without replacing:
// link() never replaces an existing name either.
MoveResult LinkThenUnlink(const std::string& from, const std::string& to) {
    if (link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? MoveResult::TargetExists : MoveResult::Failed;
    // The file is complete under its new name; an old name left behind costs
    // a stray entry, not the blueprint.
    unlink(from.c_str());
    return MoveResult::Moved;
}

class PosixFileSystem final : public FileSystem {
public:
    bool CreateFolder(const std::string& path) override {
        const std::string native = posix::NativePath(path);
        if (mkdir(native.c_str(), 0777) == 0) return true;
        struct stat status{};
        return errno == EEXIST && stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }

    CreateResult CreateNewFile(const std::string& path, FileHandle& file) override {
        const int fd = open(posix::NativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) return errno == EEXIST ? CreateResult::NameTaken : CreateResult::Failed;
        file = fd;
        return CreateResult::Created;
    }

    bool Write(FileHandle file, const void* bytes, std::size_t size) override {
        const auto* next = static_cast<const char*>(bytes);
        while (size > 0) {
            const ssize_t written = write(static_cast<int>(file), next, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            next += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool Close(FileHandle file) override { return close(static_cast<int>(file)) == 0; }

    MoveResult MoveNoReplace(const std::string& from, const std::string& to) override {
        const std::string nativeFrom = posix::NativePath(from);
        const std::string nativeTo = posix::NativePath(to);
        if (renameat2(AT_FDCWD, nativeFrom.c_str(), AT_FDCWD, nativeTo.c_str(), RENAME_NOREPLACE) == 0) {
            return MoveResult::Moved;
        }
        if (errno == EEXIST) return MoveResult::TargetExists;
        if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP) return LinkThenUnlink(nativeFrom, nativeTo);
        return MoveResult::Failed;
    }

    bool Remove(const std::string& path) override { return unlink(posix::NativePath(path).c_str()) == 0; }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFileSystem files;
    return files;
}

}  // namespace platform
