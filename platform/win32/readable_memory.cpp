#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

namespace platform {

namespace {

bool AllowsReading(DWORD protection) {
    if ((protection & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return false;
    switch (protection & 0xFF) {
        case PAGE_READONLY:
        case PAGE_READWRITE:
        case PAGE_WRITECOPY:
        case PAGE_EXECUTE_READ:
        case PAGE_EXECUTE_READWRITE:
        case PAGE_EXECUTE_WRITECOPY:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsReadableMemory(const void* address, std::size_t size) {
    const auto begin = reinterpret_cast<std::uintptr_t>(address);
    if (size == 0 || begin > UINTPTR_MAX - size) return false;
    const std::uintptr_t end = begin + size;
    // Region by region, as far as the range reaches.
    std::uintptr_t covered = begin;
    while (covered < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<LPCVOID>(covered), &info, sizeof info) == 0) return false;
        if (info.State != MEM_COMMIT || !AllowsReading(info.Protect)) return false;
        covered = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    }
    return true;
}

// VirtualQuery is cheap: the view asks it at each check.
ReadableMemoryView::ReadableMemoryView() = default;

bool ReadableMemoryView::IsReadable(const void* address, std::size_t size) const {
    return IsReadableMemory(address, size);
}

}  // namespace platform
