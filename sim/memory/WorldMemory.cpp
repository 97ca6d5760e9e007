#include "sim/memory/WorldMemory.h"

#include <cstring>

// g++ tells of the address sanitizer with __SANITIZE_ADDRESS__, clang (the
// fuzz build) only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define SIM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIM_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(SIM_ADDRESS_SANITIZER)
#include <sanitizer/lsan_interface.h>
#endif

#include "sim/memory/AddressSpace.h"
#include "sim/memory/AddressText.h"

namespace sim {

namespace {

constexpr std::size_t kShares = 4;  // worlds alive at once: the running one and one being read, with room to spare
constexpr std::size_t kAlignment = 16;
constexpr std::size_t kModuleShareSize = 0x10000;

struct PlaceLayout {
    std::uintptr_t base;  // the first share begins here, the others follow it
    std::size_t shareSize;
    const char* description;
};

// Clear of everything else in the process: the game module (a Linux
// position-independent executable near 0x550000000000, the Windows image near
// 0x7FF600000000), the C++ heaps, the system's libraries, and the address
// sanitizer's shadow memory from 0x7FFF8000 to 0x10007FFF7FFF, which leaves a
// sanitized build no memory below 1 TiB.
constexpr PlaceLayout kLayouts[kMemoryPlaceCount] = {
    {0x2000'0000'0000, 0x4000'0000, "above 1 TiB"},
    {0x80'0000'0000, 0x400'0000, "between 10,000,000,000 and 1 TiB"},
    {0x4000'0000, 0x400'0000, "below 10,000,000,000"},
    {0, kModuleShareSize, "inside the game module"},
};

// The last stretch of each share above 1 TiB is reserved and never
// committed: the memory behind a stale pointer.
constexpr std::size_t kUnmappedTail = kAddressGranularity;

alignas(kAlignment) unsigned char g_moduleMemory[kShares][kModuleShareSize];
bool g_shareTaken[kShares] = {};
bool g_reserved[kMemoryPlaceCount][kShares] = {};

const PlaceLayout& Layout(MemoryPlace place) { return kLayouts[static_cast<std::size_t>(place)]; }

std::size_t RoundUp(std::size_t value, std::size_t step) { return (value + step - 1) / step * step; }

std::size_t Capacity(MemoryPlace place) {
    return Layout(place).shareSize - (place == MemoryPlace::AboveTiB ? kUnmappedTail : 0);
}

std::uintptr_t ShareBase(MemoryPlace place, int share) {
    if (place == MemoryPlace::Module) return reinterpret_cast<std::uintptr_t>(g_moduleMemory[share]);
    return Layout(place).base + static_cast<std::uintptr_t>(share) * Layout(place).shareSize;
}

}  // namespace

WorldMemory::~WorldMemory() {
    if (share_ < 0) return;
    for (std::size_t i = 0; i < kMemoryPlaceCount; ++i) {
        const auto place = static_cast<MemoryPlace>(i);
        if (place == MemoryPlace::Module) {
            std::memset(g_moduleMemory[share_], 0, used_[i]);
        } else if (committed_[i] > 0) {
            DecommitAddressRange(ShareBase(place, share_), committed_[i]);
        }
    }
    g_shareTaken[share_] = false;
}

void* WorldMemory::Allocate(MemoryPlace place, std::size_t size, std::string& problem) {
    if (!TakeShare(problem) || !Reserve(place, problem)) return nullptr;
    const auto i = static_cast<std::size_t>(place);
    const std::size_t begin = RoundUp(used_[i], kAlignment);
    if (size > Capacity(place) || begin > Capacity(place) - size) {
        problem = std::string("no room is left in the game's memory ") + Layout(place).description;
        return nullptr;
    }
    const std::size_t end = begin + size;
    if (place != MemoryPlace::Module && end > committed_[i]) {
        const std::size_t committedEnd = RoundUp(end, kAddressGranularity);
        if (!CommitAddressRange(ShareBase(place, share_) + committed_[i], committedEnd - committed_[i])) {
            problem = std::string("the system gives the game no memory ") + Layout(place).description;
            return nullptr;
        }
        committed_[i] = committedEnd;
    }
    used_[i] = end;
    return reinterpret_cast<void*>(ShareBase(place, share_) + begin);
}

std::uintptr_t WorldMemory::UnmappedAddress(std::size_t index, std::string& problem) {
    if (!TakeShare(problem) || !Reserve(MemoryPlace::AboveTiB, problem)) return 0;
    return ShareBase(MemoryPlace::AboveTiB, share_) + Capacity(MemoryPlace::AboveTiB) +
           index * kAlignment % kUnmappedTail;
}

bool WorldMemory::TakeShare(std::string& problem) {
    if (share_ >= 0) return true;
    for (std::size_t share = 0; share < kShares; ++share) {
        if (g_shareTaken[share]) continue;
        g_shareTaken[share] = true;
        share_ = static_cast<int>(share);
        return true;
    }
    problem = "the game's memory for cells is taken by other worlds";
    return false;
}

bool WorldMemory::Reserve(MemoryPlace place, std::string& problem) {
    bool& reserved = g_reserved[static_cast<std::size_t>(place)][share_];
    if (place == MemoryPlace::Module || reserved) return true;
    const std::uintptr_t base = ShareBase(place, share_);
    reserved = ReserveAddressRange(base, Layout(place).shareSize);
#if defined(SIM_ADDRESS_SANITIZER)
    // What cells point to (their names, lists, references) is in use while
    // they live; the leak checker only looks into memory it is shown.
    if (reserved) __lsan_register_root_region(reinterpret_cast<void*>(base), Layout(place).shareSize);
#endif
    if (!reserved) {
        problem = std::string("the game cannot have its memory ") + Layout(place).description + " at " +
                  AddressText(base) + ": the address is taken in this process";
#if defined(SIM_ADDRESS_SANITIZER)
        problem += " (the address sanitizer keeps 0x7fff8000 to 0x10007fff7fff for itself)";
#endif
    }
    return reserved;
}

}  // namespace sim
