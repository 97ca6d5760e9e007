#include <windows.h>

#include <string>

#include "platform/native_files.h"
#include "platform/win32/wide_path.h"

namespace platform::native {

namespace {

using win32::WidePath;

bool MeansNotFound(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return true;
        default:
            return false;
    }
}

}  // namespace

PathKind QueryPath(const std::string& path) {
    // Opening the entry itself (no access rights needed) follows links, which
    // the attribute query does not.
    const HANDLE entry = CreateFileW(WidePath(path).c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry == INVALID_HANDLE_VALUE) {
        return MeansNotFound(GetLastError()) ? PathKind::NotFound : PathKind::QueryFailed;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(entry, &info) != 0;
    const DWORD type = GetFileType(entry);
    CloseHandle(entry);
    if (type != FILE_TYPE_DISK) return PathKind::Other;
    if (!known) return PathKind::QueryFailed;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Directory;
    return PathKind::RegularFile;
}

}  // namespace platform::native
