#include "platform/posix/process_maps.h"

#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>

namespace platform::posix {

bool ReadProcessMappings(std::vector<Mapping>& out) {
    out.clear();
    std::FILE* maps = std::fopen("/proc/self/maps", "r");
    if (maps == nullptr) return false;
    char line[4096];
    while (std::fgets(line, sizeof line, maps) != nullptr) {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        char permissions[5] = {};
        if (std::sscanf(line, "%" SCNxPTR "-%" SCNxPTR " %4s", &begin, &end, permissions) == 3) {
            out.push_back({begin, end, permissions[0] == 'r', permissions[1] == 'w', permissions[2] == 'x'});
        }
    }
    const bool complete = !std::ferror(maps);
    std::fclose(maps);
    if (!complete) errno = EIO;
    return complete;
}

const Mapping* FindMapping(const std::vector<Mapping>& mappings, std::uintptr_t address) {
    for (const Mapping& mapping : mappings) {
        if (address >= mapping.begin && address < mapping.end) return &mapping;
    }
    return nullptr;
}

std::uintptr_t PageSize() {
    static const std::uintptr_t size = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    return size;
}

}  // namespace platform::posix
