#include <windows.h>

#include "sim/memory/AddressSpace.h"

namespace sim {

namespace {

void* At(std::uintptr_t address) { return reinterpret_cast<void*>(address); }

}  // namespace

bool ReserveAddressRange(std::uintptr_t address, std::size_t size) {
    void* placed = VirtualAlloc(At(address), size, MEM_RESERVE, PAGE_NOACCESS);
    if (placed == nullptr) return false;
    if (placed != At(address)) {
        VirtualFree(placed, 0, MEM_RELEASE);
        return false;
    }
    return true;
}

bool CommitAddressRange(std::uintptr_t address, std::size_t size) {
    return VirtualAlloc(At(address), size, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}

void DecommitAddressRange(std::uintptr_t address, std::size_t size) {
    VirtualFree(At(address), size, MEM_DECOMMIT);
}

}  // namespace sim
