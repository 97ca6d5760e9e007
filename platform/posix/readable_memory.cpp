#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/process_maps.h"

namespace platform {

bool IsReadableMemory(const void* address, std::size_t size) {
    const auto begin = reinterpret_cast<std::uintptr_t>(address);
    if (size == 0 || begin > UINTPTR_MAX - size) return false;
    const std::uintptr_t end = begin + size;
    std::vector<posix::Mapping> mappings;
    if (!posix::ReadProcessMappings(mappings)) return false;
    // The mappings are in ascending order; the range must be covered by
    // readable ones without a gap.
    std::uintptr_t covered = begin;
    for (const posix::Mapping& mapping : mappings) {
        if (mapping.end <= covered) continue;
        if (mapping.begin > covered || !mapping.read) return false;
        covered = mapping.end;
        if (covered >= end) return true;
    }
    return false;
}

}  // namespace platform
