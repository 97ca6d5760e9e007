// Address space at fixed addresses, taken from the operating system the way
// the game's own allocator takes it: reserved first, pages committed as they
// are needed and given back again. mmap on Linux, VirtualAlloc on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sim {

// The granularity of reservations and commits (Windows' allocation
// granularity; a multiple of every page size).
constexpr std::size_t kAddressGranularity = 0x10000;

// Reserves [address, address + size) without access. False when any of it is
// taken already; nothing else is ever moved out of the way.
bool ReserveAddressRange(std::uintptr_t address, std::size_t size);

// Makes reserved pages readable and writable, zero-filled.
bool CommitAddressRange(std::uintptr_t address, std::size_t size);

// Gives committed pages back: they stay reserved, and reading them faults.
void DecommitAddressRange(std::uintptr_t address, std::size_t size);

}  // namespace sim
