#include <windows.h>

// windows.h names the win.ini writer WriteProfileString; ours is another.
#undef WriteProfileString

#include "platform/native_files.h"
#include "platform/platform.h"
#include "platform/win32/wide_path.h"

namespace platform {

namespace {

using win32::WidePath;

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool MeansNameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// Room for the first read of a file whose size the system does not tell.
constexpr std::size_t kFirstReadSize = 64 * 1024;
// ReadFile counts in 32 bits.
constexpr std::size_t kLargestRead = 0x40000000;

bool OpenExisting(const std::string& path, DWORD access, FileHandle& file) {
    const HANDLE opened = CreateFileW(WidePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    file = reinterpret_cast<FileHandle>(opened);
    return true;
}

class Win32FileSystem final : public native::SystemQueries {
public:
    bool CreateFolder(const std::string& path) override {
        const std::wstring wide = WidePath(path);
        if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    CreateResult CreateNewFile(const std::string& path, FileHandle& file) override {
        const HANDLE created = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            return MeansNameTaken(GetLastError()) ? CreateResult::NameTaken : CreateResult::Failed;
        }
        file = reinterpret_cast<FileHandle>(created);
        return CreateResult::Created;
    }

    bool Write(FileHandle file, const void* bytes, std::size_t size) override {
        const auto* next = static_cast<const char*>(bytes);
        while (size > 0) {
            const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(AsHandle(file), next, chunk, &written, nullptr) || written == 0) return false;
            next += written;
            size -= written;
        }
        return true;
    }

    bool Close(FileHandle file) override { return CloseHandle(AsHandle(file)) != 0; }

    MoveResult MoveNoReplace(const std::string& from, const std::string& to) override {
        if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0)) return MoveResult::Moved;
        return MeansNameTaken(GetLastError()) ? MoveResult::TargetExists : MoveResult::Failed;
    }

    bool Remove(const std::string& path) override { return DeleteFileW(WidePath(path).c_str()) != 0; }

    bool OpenForUpdate(const std::string& path, FileHandle& file) override {
        return OpenExisting(path, GENERIC_READ | GENERIC_WRITE, file);
    }

    bool OpenForReading(const std::string& path, FileHandle& file) override {
        return OpenExisting(path, GENERIC_READ, file);
    }

    bool OpenForAppending(const std::string& path, FileHandle& file) override {
        // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the
        // end, as O_APPEND has it.
        const HANDLE opened = CreateFileW(WidePath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened == INVALID_HANDLE_VALUE) return false;
        file = reinterpret_cast<FileHandle>(opened);
        return true;
    }

    bool ReadWhole(FileHandle file, std::string& bytes) override {
        LARGE_INTEGER size{};
        const bool sized = GetFileSizeEx(AsHandle(file), &size) != 0 && size.QuadPart >= 0;
        // One byte more than the file holds, so that the read which finds
        // the end needs no more room.
        bytes.resize(sized ? static_cast<std::size_t>(size.QuadPart) + 1 : kFirstReadSize);
        std::size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + kFirstReadSize);
            const std::size_t room = bytes.size() - filled;
            const DWORD chunk = static_cast<DWORD>(room < kLargestRead ? room : kLargestRead);
            DWORD got = 0;
            if (!ReadFile(AsHandle(file), bytes.data() + filled, chunk, &got, nullptr)) {
                bytes.clear();
                return false;
            }
            if (got == 0) break;
            filled += got;
        }
        bytes.resize(filled);
        return true;
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static Win32FileSystem files;
    return files;
}

}  // namespace platform
