#include <sys/mman.h>

#include <cerrno>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/process_maps.h"

namespace platform {

namespace {

std::uint32_t WindowsProtection(const posix::Mapping& mapping) {
    if (mapping.execute) return mapping.write ? kPageExecuteReadWrite : mapping.read ? kPageExecuteRead : kPageExecute;
    if (mapping.write) return kPageReadWrite;
    return mapping.read ? kPageReadOnly : kPageNoAccess;
}

bool PosixProtection(std::uint32_t protection, int& out) {
    switch (protection) {
        case kPageNoAccess: out = PROT_NONE; return true;
        case kPageReadOnly: out = PROT_READ; return true;
        case kPageReadWrite: out = PROT_READ | PROT_WRITE; return true;
        case kPageExecute: out = PROT_EXEC; return true;
        case kPageExecuteRead: out = PROT_READ | PROT_EXEC; return true;
        case kPageExecuteReadWrite: out = PROT_READ | PROT_WRITE | PROT_EXEC; return true;
        default: return false;
    }
}

}  // namespace

bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                      std::uint32_t* oldProtection) {
    int protection = 0;
    if (!PosixProtection(newProtection, protection)) {
        errno = EINVAL;
        return false;
    }
    std::vector<posix::Mapping> mappings;
    if (!posix::ReadProcessMappings(mappings)) return false;
    const auto first = reinterpret_cast<std::uintptr_t>(address);
    const posix::Mapping* mapping = posix::FindMapping(mappings, first);
    if (mapping == nullptr) {
        errno = ENOMEM;
        return false;
    }
    const std::uintptr_t pageMask = posix::PageSize() - 1;
    const std::uintptr_t begin = first & ~pageMask;
    const std::uintptr_t end = (first + (size == 0 ? 1 : size) + pageMask) & ~pageMask;
    if (mprotect(reinterpret_cast<void*>(begin), end - begin, protection) != 0) return false;
    if (oldProtection != nullptr) *oldProtection = WindowsProtection(*mapping);
    return true;
}

}  // namespace platform
