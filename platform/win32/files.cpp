#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

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

// A name as the system code page spells it, as the plug-in's paths are.
std::string NarrowName(std::wstring_view wide) {
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string name(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), name.data(), length, nullptr, nullptr);
    return name;
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

bool ListFolder(const std::string& path, std::vector<std::string>& names) {
    std::wstring pattern = WidePath(path);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    // Every folder holds "." at least: finding nothing is an error.
    if (search == INVALID_HANDLE_VALUE) return false;
    names.clear();
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(NarrowName(name));
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    return true;
}

}  // namespace platform::native
