#include "sim/memory/GameMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <new>
#include <vector>

#include "sim/console/ConsoleOutput.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define SIM_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#else
#define SIM_POISON(address, size) ((void)(address), (void)(size))
#endif

namespace sim {

namespace {

// What the game keeps before each block it hands out, as a real game's heap
// does: it tells the game's blocks from anything else, a block given back
// from one still in use, and an array's storage from other memory.
struct alignas(16) BlockHeader {
    std::uint64_t magic;
    std::uint64_t size;
    std::uint32_t elementSize;  // of the array whose storage it is; 0 for other memory
    std::uint32_t unused;
};
static_assert(sizeof(BlockHeader) == 32);

constexpr std::uint64_t kLiveBlock = 0x4B434F4C42564C45;   // "ELVBLOCK"
constexpr std::uint64_t kFreedBlock = 0x4545524656564C45;  // "ELVVFREE"
constexpr unsigned char kFreedByte = 0xDD;
constexpr std::size_t kChunkSize = std::size_t{4} << 20;
constexpr std::size_t kAlignment = alignof(BlockHeader);

// The game's own arena, apart from the C heap: a plug-in that frees a game
// block with the C library frees memory the C library never handed out, and
// a block the C library handed out is no game block. Freed addresses are
// never handed out again, so a second free of one is always caught.
// Never destroyed: plug-ins and the world may free blocks while the process
// ends.
struct Arena {
    std::map<std::uintptr_t, std::size_t> chunks;  // start -> size
    unsigned char* next = nullptr;
    unsigned char* end = nullptr;
    std::size_t liveBlocks = 0;
    std::uint64_t liveBytes = 0;
    MemoryHolderQuery holderOf;
};

Arena& TheArena() {
    static auto* arena = new Arena;
    return *arena;
}

// Allocations still to go, the failing one included; 0 when none is to fail.
std::uint64_t g_allocationsUntilFailure = 0;

bool TakeChunk(Arena& arena, std::size_t needed) {
    const std::size_t size = std::max(kChunkSize, needed);
    auto* chunk = static_cast<unsigned char*>(std::malloc(size));
    if (chunk == nullptr) return false;
    arena.chunks.emplace(reinterpret_cast<std::uintptr_t>(chunk), size);
    arena.next = chunk;
    arena.end = chunk + size;
    return true;
}

// The header of a block the arena handed out (live or freed), or null for
// memory that is none of its blocks.
BlockHeader* HeaderOf(const void* memory) {
    const Arena& arena = TheArena();
    const auto address = reinterpret_cast<std::uintptr_t>(memory);
    auto chunk = arena.chunks.upper_bound(address);
    if (chunk == arena.chunks.begin()) return nullptr;
    --chunk;
    if (address - chunk->first < sizeof(BlockHeader) || address - chunk->first >= chunk->second ||
        address % kAlignment != 0) {
        return nullptr;
    }
    auto* header = reinterpret_cast<BlockHeader*>(address - sizeof(BlockHeader));
    return header->magic == kLiveBlock || header->magic == kFreedBlock ? header : nullptr;
}

BlockHeader* LiveHeaderOf(const void* memory) {
    BlockHeader* header = HeaderOf(memory);
    return header != nullptr && header->magic == kLiveBlock ? header : nullptr;
}

std::string SizeText(std::uint32_t size) { return std::to_string(size) + "-byte"; }

}  // namespace

void FailGameAllocation(std::uint64_t number) { g_allocationsUntilFailure = number; }

bool TakeAllocationTurn() {
    if (g_allocationsUntilFailure == 0) return true;
    return --g_allocationsUntilFailure != 0;
}

void* GameAllocate(std::uint64_t size) {
    if (!TakeAllocationTurn()) return nullptr;
    if (size > std::numeric_limits<std::size_t>::max() / 4) return nullptr;
    Arena& arena = TheArena();
    const std::size_t rounded = (static_cast<std::size_t>(size) + kAlignment - 1) / kAlignment * kAlignment;
    const std::size_t needed = sizeof(BlockHeader) + std::max(rounded, kAlignment);
    if (static_cast<std::size_t>(arena.end - arena.next) < needed && !TakeChunk(arena, needed)) return nullptr;
    auto* header = new (arena.next) BlockHeader{kLiveBlock, size, 0, 0};
    arena.next += needed;
    ++arena.liveBlocks;
    arena.liveBytes += size;
    return header + 1;
}

void GameDeallocate(void* memory) {
    if (memory == nullptr) return;
    BlockHeader* header = HeaderOf(memory);
    if (header == nullptr) {
        ReportGameError("Deallocate was handed memory the game did not allocate");
        return;
    }
    if (header->magic == kFreedBlock) {
        ReportGameError("Deallocate was handed memory the game was given back already");
        return;
    }
    Arena& arena = TheArena();
    if (arena.holderOf) {
        if (const std::string holder = arena.holderOf(memory); !holder.empty()) {
            ReportGameError("Deallocate was handed memory that " + holder + " still points to");
            return;
        }
    }
    header->magic = kFreedBlock;
    --arena.liveBlocks;
    arena.liveBytes -= header->size;
    std::memset(memory, kFreedByte, static_cast<std::size_t>(header->size));
    SIM_POISON(memory, static_cast<std::size_t>(header->size));
}

bool IsGameBlock(const void* memory) { return LiveHeaderOf(memory) != nullptr; }

void SetMemoryHolderQuery(MemoryHolderQuery query) { TheArena().holderOf = std::move(query); }

bool GameArrayAppend(veltrane::CountedArrayHeader* array, const void* element,
                     std::uint32_t elementSize) {
    if (array == nullptr || element == nullptr || elementSize == 0) return false;
    if (array->count > array->capacity || (array->capacity > 0 && array->data == nullptr)) {
        ReportGameError("ArrayAppend was handed an inconsistent array");
        return false;
    }
    if (const BlockHeader* storage = array->capacity > 0 ? LiveHeaderOf(array->data) : nullptr;
        storage != nullptr && storage->elementSize != elementSize) {
        ReportGameError("ArrayAppend was handed a " + SizeText(elementSize) + " element for an array of " +
                        SizeText(storage->elementSize) + " elements");
        return false;
    }
    if (array->count == array->capacity) {
        const std::uint64_t grown = std::max<std::uint64_t>(std::uint64_t{array->count} + 1,
                                                            std::uint64_t{array->capacity} * 2);
        if (grown > std::numeric_limits<std::uint32_t>::max()) return false;
        // The element may live inside the storage that is about to move.
        std::vector<unsigned char> copy(static_cast<const unsigned char*>(element),
                                        static_cast<const unsigned char*>(element) + elementSize);
        void* storage = GameAllocate(grown * elementSize);
        if (storage == nullptr) return false;
        LiveHeaderOf(storage)->elementSize = elementSize;
        if (array->count > 0) {
            std::memcpy(storage, array->data, std::size_t{array->count} * elementSize);
        }
        // Storage of an empty list need not be the game's (a shared empty
        // list lies in the game's image): only storage with room is freed.
        void* old = array->capacity > 0 ? array->data : nullptr;
        array->data = storage;
        array->capacity = static_cast<std::uint32_t>(grown);
        GameDeallocate(old);
        std::memcpy(static_cast<unsigned char*>(array->data) + std::size_t{array->count} * elementSize,
                    copy.data(), elementSize);
    } else {
        std::memmove(static_cast<unsigned char*>(array->data) + std::size_t{array->count} * elementSize,
                     element, elementSize);
    }
    ++array->count;
    return true;
}

void GameArrayReserveExact(veltrane::CountedArrayHeader* array, std::uint32_t count,
                           std::uint32_t elementSize) {
    array->data = count == 0 ? nullptr : GameAllocate(std::uint64_t{count} * elementSize);
    if (array->data != nullptr) {
        std::memset(array->data, 0, std::size_t{count} * elementSize);
        LiveHeaderOf(array->data)->elementSize = elementSize;
    }
    array->capacity = array->data == nullptr ? 0 : count;
    array->count = 0;
}

void GameArrayFree(veltrane::CountedArrayHeader* array) {
    void* storage = array->capacity > 0 ? array->data : nullptr;
    array->data = nullptr;
    array->capacity = 0;
    array->count = 0;
    GameDeallocate(storage);
}

void* SharedEmptyListStorage() {
    alignas(16) static unsigned char storage[16];
    return storage;
}

std::size_t GameLiveBlockCount() { return TheArena().liveBlocks; }
std::uint64_t GameLiveByteCount() { return TheArena().liveBytes; }

}  // namespace sim
