#include "sim/memory/GameMemory.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "host/layouts/StringsAndArrays.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/memory/AddressSpace.h"

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
constexpr std::size_t kAlignment = alignof(BlockHeader);

// The game's own arena, apart from the C heap, at addresses clear of
// everything else in the process (see WorldMemory.cpp): a plug-in that frees
// a game block with the C library frees memory the C library never handed
// out, and a block the C library handed out is no game block. Blocks are
// handed out one after the other and an address is never handed out again,
// so a second free is always caught; pages whose blocks are all given back
// are given back to the system, and reading them faults.
constexpr std::uintptr_t kArenaBase = 0x3000'0000'0000;
constexpr std::size_t kArenaSize = std::size_t{64} << 30;
constexpr std::size_t kChunkSize = std::size_t{1} << 20;  // the unit of commits and decommits

// Never destroyed: plug-ins and the world may free blocks while the process
// ends.
struct Arena {
    bool reserved = false;
    std::size_t used = 0;       // bytes from the base on taken by blocks
    std::size_t committed = 0;  // bytes from the base on committed
    // Per chunk: the live blocks that lie in it (wholly or partly), and
    // whether its pages were given back.
    std::vector<std::uint32_t> liveInChunk;
    std::vector<bool> chunkGone;
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

std::size_t ChunkOf(std::uintptr_t address) { return (address - kArenaBase) / kChunkSize; }

// Room for `needed` more bytes after those used: reserved at first use,
// committed a chunk at a time.
bool MakeRoom(Arena& arena, std::size_t needed) {
    if (!arena.reserved) {
        arena.reserved = ReserveAddressRange(kArenaBase, kArenaSize);
        if (!arena.reserved) return false;
    }
    if (needed > kArenaSize - arena.used) return false;
    const std::size_t end = arena.used + needed;
    if (end <= arena.committed) return true;
    const std::size_t committed = (end + kChunkSize - 1) / kChunkSize * kChunkSize;
    if (!CommitAddressRange(kArenaBase + arena.committed, committed - arena.committed)) return false;
    arena.committed = committed;
    arena.liveInChunk.resize(committed / kChunkSize, 0);
    arena.chunkGone.resize(committed / kChunkSize, false);
    return true;
}

// A chunk that no block will lie in again (the blocks handed out have gone
// past it) and that holds no live block any more is given back.
void GiveBackIfDone(Arena& arena, std::size_t chunk) {
    if (arena.liveInChunk[chunk] != 0 || arena.chunkGone[chunk] || (chunk + 1) * kChunkSize > arena.used) return;
    DecommitAddressRange(kArenaBase + chunk * kChunkSize, kChunkSize);
    arena.chunkGone[chunk] = true;
}

// Counts a block in or out of each chunk it lies in.
void CountBlock(Arena& arena, std::uintptr_t start, std::size_t size, int change) {
    for (std::size_t chunk = ChunkOf(start); chunk <= ChunkOf(start + size - 1); ++chunk) {
        arena.liveInChunk[chunk] += static_cast<std::uint32_t>(change);
        GiveBackIfDone(arena, chunk);
    }
}

enum class BlockState { Foreign, Live, Freed };

// What the memory is to the arena, with its header when it is a block.
BlockState StateOf(const void* memory, BlockHeader*& header) {
    const Arena& arena = TheArena();
    const auto address = reinterpret_cast<std::uintptr_t>(memory);
    if (address < kArenaBase + sizeof(BlockHeader) || address >= kArenaBase + arena.used ||
        address % kAlignment != 0) {
        return BlockState::Foreign;
    }
    const std::uintptr_t start = address - sizeof(BlockHeader);
    // A block whose pages went back was given back with all its neighbours.
    if (arena.chunkGone[ChunkOf(start)] || arena.chunkGone[ChunkOf(address - 1)]) return BlockState::Freed;
    header = reinterpret_cast<BlockHeader*>(start);
    if (header->magic == kLiveBlock) return BlockState::Live;
    return header->magic == kFreedBlock ? BlockState::Freed : BlockState::Foreign;
}

BlockHeader* LiveHeaderOf(const void* memory) {
    BlockHeader* header = nullptr;
    return StateOf(memory, header) == BlockState::Live ? header : nullptr;
}

std::size_t BlockSpan(std::uint64_t size) {
    const std::size_t rounded = (static_cast<std::size_t>(size) + kAlignment - 1) / kAlignment * kAlignment;
    return sizeof(BlockHeader) + std::max(rounded, kAlignment);
}

}  // namespace

void FailGameAllocation(std::uint64_t number) { g_allocationsUntilFailure = number; }

bool TakeAllocationTurn() {
    if (g_allocationsUntilFailure == 0) return true;
    return --g_allocationsUntilFailure != 0;
}

void* GameAllocate(std::uint64_t size) {
    if (!TakeAllocationTurn()) return nullptr;
    if (size > kArenaSize) return nullptr;
    Arena& arena = TheArena();
    const std::size_t span = BlockSpan(size);
    if (!MakeRoom(arena, span)) return nullptr;
    const std::uintptr_t start = kArenaBase + arena.used;
    auto* header = new (reinterpret_cast<void*>(start)) BlockHeader{kLiveBlock, size, 0, 0};
    arena.used += span;
    CountBlock(arena, start, span, +1);
    ++arena.liveBlocks;
    arena.liveBytes += size;
    return header + 1;
}

void GameDeallocate(void* memory) {
    if (memory == nullptr) return;
    BlockHeader* header = nullptr;
    const BlockState state = StateOf(memory, header);
    if (state == BlockState::Foreign) {
        ReportGameError("Deallocate was handed memory the game did not allocate");
        return;
    }
    if (state == BlockState::Freed) {
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
    CountBlock(arena, reinterpret_cast<std::uintptr_t>(header), BlockSpan(header->size), -1);
}

bool IsGameBlock(const void* memory) { return LiveHeaderOf(memory) != nullptr; }

void SetMemoryHolderQuery(MemoryHolderQuery query) { TheArena().holderOf = std::move(query); }

namespace {

// Whether the operation may work on the array with elements of the size: a
// game error, reported, when the array is inconsistent or its storage holds
// elements of another size.
bool ArrayAccepted(const veltrane::CountedArrayHeader& array, std::uint32_t elementSize, const char* operation) {
    if (array.count > array.capacity || (array.capacity > 0 && array.data == nullptr)) {
        ReportGameError(std::string(operation) + " was handed an inconsistent array");
        return false;
    }
    if (const BlockHeader* storage = array.capacity > 0 ? LiveHeaderOf(array.data) : nullptr;
        storage != nullptr && storage->elementSize != elementSize) {
        ReportGameError(std::string(operation) + " was handed an element of " + std::to_string(elementSize) +
                        " bytes for an array of elements of " + std::to_string(storage->elementSize) + " bytes");
        return false;
    }
    return true;
}

// Moves the elements into new storage of the capacity; false, with the array
// unchanged, when the storage cannot be had.
bool MoveToStorageOf(veltrane::CountedArrayHeader& array, std::uint32_t capacity, std::uint32_t elementSize) {
    void* storage = GameAllocate(std::uint64_t{capacity} * elementSize);
    if (storage == nullptr) return false;
    LiveHeaderOf(storage)->elementSize = elementSize;
    if (array.count > 0) std::memcpy(storage, array.data, std::size_t{array.count} * elementSize);
    // Storage of an empty list need not be the game's (a shared empty list
    // lies in the game's image): only storage with room is freed, once the
    // array no longer points to it.
    void* old = array.capacity > 0 ? array.data : nullptr;
    array.data = storage;
    array.capacity = capacity;
    GameDeallocate(old);
    return true;
}

}  // namespace

bool GameArrayAppend(veltrane::CountedArrayHeader* array, const void* element,
                     std::uint32_t elementSize) {
    if (array == nullptr || element == nullptr || elementSize == 0) return false;
    if (!ArrayAccepted(*array, elementSize, "ArrayAppend")) return false;
    unsigned char* const end = static_cast<unsigned char*>(array->data) + std::size_t{array->count} * elementSize;
    if (array->count < array->capacity) {
        std::memmove(end, element, elementSize);
        ++array->count;
        return true;
    }
    const std::uint64_t grown =
        std::max<std::uint64_t>(std::uint64_t{array->count} + 1, std::uint64_t{array->capacity} * 2);
    if (grown > std::numeric_limits<std::uint32_t>::max()) return false;
    // The element may live inside the storage that is about to move.
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(element),
                                    static_cast<const unsigned char*>(element) + elementSize);
    if (!MoveToStorageOf(*array, static_cast<std::uint32_t>(grown), elementSize)) return false;
    std::memcpy(static_cast<unsigned char*>(array->data) + std::size_t{array->count} * elementSize, copy.data(),
                elementSize);
    ++array->count;
    return true;
}

bool GameArrayReserve(veltrane::CountedArrayHeader* array, std::uint32_t capacity, std::uint32_t elementSize) {
    if (array == nullptr || elementSize == 0) return false;
    if (!ArrayAccepted(*array, elementSize, "ArrayReserve")) return false;
    return capacity <= array->capacity || MoveToStorageOf(*array, capacity, elementSize);
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
