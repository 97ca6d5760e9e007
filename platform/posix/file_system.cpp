#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/native_files.h"
#include "platform/platform.h"
#include "platform/posix/native_path.h"

namespace platform {

namespace {

// Room for the first read of a file whose size the system does not tell.
constexpr std::size_t kFirstReadSize = 64 * 1024;

bool OpenExisting(const std::string& path, int access, FileHandle& file) {
    const int fd = open(posix::NativePath(path).c_str(), access | O_CLOEXEC);
    if (fd < 0) return false;
    file = fd;
    return true;
}

// Link and unlink where the file system cannot rename without replacing:
// link() never replaces an existing name either.
MoveResult LinkThenUnlink(const std::string& from, const std::string& to) {
    if (link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? MoveResult::TargetExists : MoveResult::Failed;
    // The file is complete under its new name; an old name left behind costs
    // a stray entry, not the blueprint.
    unlink(from.c_str());
    return MoveResult::Moved;
}

class PosixFileSystem final : public native::SystemQueries {
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

    bool OpenForUpdate(const std::string& path, FileHandle& file) override { return OpenExisting(path, O_RDWR, file); }

    bool OpenForReading(const std::string& path, FileHandle& file) override {
        return OpenExisting(path, O_RDONLY, file);
    }

    bool OpenForAppending(const std::string& path, FileHandle& file) override {
        const int fd = open(posix::NativePath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (fd < 0) return false;
        file = fd;
        return true;
    }

    bool ReadWhole(FileHandle file, std::string& bytes) override {
        const int fd = static_cast<int>(file);
        struct stat status{};
        const bool sized = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0;
        // One byte more than the file holds, so that the read which finds
        // the end needs no more room.
        bytes.resize(sized ? static_cast<std::size_t>(status.st_size) + 1 : kFirstReadSize);
        std::size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + kFirstReadSize);
            const ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                bytes.clear();
                return false;
            }
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(filled);
        return true;
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFileSystem files;
    return files;
}

}  // namespace platform
