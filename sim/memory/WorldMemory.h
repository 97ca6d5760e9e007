// Game memory at chosen places in the address space. A world keeps its cells
// and its cell manager here, so that their addresses relate to the game
// module as a real game's do (or, staged on purpose, as they must not), and so
// that cells lie in the order the world file lists them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

enum class MemoryPlace : std::uint8_t {
    AboveTiB,  // above 1 TiB and below the game module: where the game keeps its cells
    BelowTiB,  // above 10,000,000,000 and below 1 TiB
    Low,       // below 10,000,000,000
    Module,    // inside the game module
};
constexpr std::size_t kMemoryPlaceCount = 4;

// One world's share. Each world that lives at the same time (the running one
// and one being read) has its own addresses; what a world leaves is given
// back when it goes, so a pointer kept across worlds leads into memory that
// is not mapped.
class WorldMemory {
public:
    WorldMemory() = default;
    ~WorldMemory();
    WorldMemory(const WorldMemory&) = delete;
    WorldMemory& operator=(const WorldMemory&) = delete;

    // Zeroed storage at the place, 16-byte aligned, each block above the one
    // before. Null, with `problem` saying why, when the place cannot be had
    // in this process or has no room left.
    void* Allocate(MemoryPlace place, std::size_t size, std::string& problem);

    // An address above 1 TiB and below the game module whose page is reserved
    // and never committed, so that reading it faults; each index its own.
    // 0, with `problem` saying why, when the memory cannot be had.
    std::uintptr_t UnmappedAddress(std::size_t index, std::string& problem);

private:
    bool TakeShare(std::string& problem);
    bool Reserve(MemoryPlace place, std::string& problem);

    int share_ = -1;
    std::array<std::size_t, kMemoryPlaceCount> used_{};
    std::array<std::size_t, kMemoryPlaceCount> committed_{};
};

}  // namespace sim
