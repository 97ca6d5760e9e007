// The process's own mappings, as /proc/self/maps lists them: the POSIX
// layer's view of what VirtualQuery calls committed and reserved regions.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::posix {

struct Mapping {
    std::uintptr_t begin;
    std::uintptr_t end;
    bool read;
    bool write;
    bool execute;
};

// Ascending by address. False, with errno set, when the list cannot be read.
bool ReadProcessMappings(std::vector<Mapping>& out);

// The mapping that holds the address, or null.
const Mapping* FindMapping(const std::vector<Mapping>& mappings, std::uintptr_t address);

std::uintptr_t PageSize();

}  // namespace platform::posix
