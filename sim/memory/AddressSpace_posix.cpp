#include <sys/mman.h>

#include "sim/memory/AddressSpace.h"

namespace sim {

namespace {

void* At(std::uintptr_t address) { return reinterpret_cast<void*>(address); }

}  // namespace

bool ReserveAddressRange(std::uintptr_t address, std::size_t size) {
    void* placed = mmap(At(address), size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_FIXED_NOREPLACE,
                        -1, 0);
    if (placed == MAP_FAILED) return false;
    // Kernels older than 4.17 take the address as a mere hint.
    if (placed != At(address)) {
        munmap(placed, size);
        return false;
    }
    return true;
}

bool CommitAddressRange(std::uintptr_t address, std::size_t size) {
    return mprotect(At(address), size, PROT_READ | PROT_WRITE) == 0;
}

void DecommitAddressRange(std::uintptr_t address, std::size_t size) {
    // A fresh mapping over the range drops its pages; the range stays ours.
    mmap(At(address), size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_FIXED, -1, 0);
}

}  // namespace sim
