#include "sim/memory/GameMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unordered_set>
#include <vector>

#include "sim/console/ConsoleOutput.h"

namespace sim {

namespace {

// The game checks what it is handed back: freeing a block it never gave out
// would corrupt a real heap silently, here it is reported.
// Never destroyed: plug-ins and the world may free blocks while the process
// ends.
std::unordered_set<void*>& LiveBlocks() {
    static auto* blocks = new std::unordered_set<void*>;
    return *blocks;
}

// Allocations still to go, the failing one included; 0 when none is to fail.
std::uint64_t g_allocationsUntilFailure = 0;

}  // namespace

void FailGameAllocation(std::uint64_t number) { g_allocationsUntilFailure = number; }

bool TakeAllocationTurn() {
    if (g_allocationsUntilFailure == 0) return true;
    return --g_allocationsUntilFailure != 0;
}

void* GameAllocate(std::uint64_t size) {
    if (!TakeAllocationTurn()) return nullptr;
    if (size > std::numeric_limits<std::size_t>::max() / 2) return nullptr;
    void* block = std::malloc(size == 0 ? 1 : static_cast<std::size_t>(size));
    if (block != nullptr) LiveBlocks().insert(block);
    return block;
}

void GameDeallocate(void* memory) {
    if (memory == nullptr) return;
    if (LiveBlocks().erase(memory) == 0) {
        ReportGameError("Deallocate was handed memory the game did not allocate");
        return;
    }
    std::free(memory);
}

bool GameArrayAppend(veltrane::CountedArrayHeader* array, const void* element,
                     std::uint32_t elementSize) {
    if (array == nullptr || element == nullptr || elementSize == 0) return false;
    if (array->count > array->capacity || (array->capacity > 0 && array->data == nullptr)) {
        ReportGameError("ArrayAppend was handed an inconsistent array");
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
        if (array->count > 0) {
            std::memcpy(storage, array->data, std::size_t{array->count} * elementSize);
        }
        GameDeallocate(array->data);
        array->data = storage;
        array->capacity = static_cast<std::uint32_t>(grown);
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
    if (array->data != nullptr) std::memset(array->data, 0, std::size_t{count} * elementSize);
    array->capacity = array->data == nullptr ? 0 : count;
    array->count = 0;
}

void GameArrayFree(veltrane::CountedArrayHeader* array) {
    GameDeallocate(array->data);
    array->data = nullptr;
    array->capacity = 0;
    array->count = 0;
}

std::size_t GameLiveBlockCount() { return LiveBlocks().size(); }

}  // namespace sim
