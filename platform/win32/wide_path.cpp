#include "platform/win32/wide_path.h"

#include <windows.h>

#include <atomic>

namespace platform::win32 {

namespace {

// Set once, at a program's start, before any file is touched.
std::atomic<UINT> pathCodePage{CP_ACP};

}  // namespace

void UseUtf8Paths() { pathCodePage = CP_UTF8; }

std::wstring WidePath(const std::string& path) {
    if (path.empty()) return {};
    const UINT codePage = pathCodePage;
    const int length = MultiByteToWideChar(codePage, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

}  // namespace platform::win32
