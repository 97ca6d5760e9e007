// The game's memory manager: every block that game records point to (component
// records, counted-array storage, property sheets) comes from here, and plug-ins
// reach the same manager through the game interface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts.h"

namespace sim {

void* GameAllocate(std::uint64_t size);
void GameDeallocate(void* memory);

// A game that runs out of memory answers null, and whatever allocates for it
// (an append, a new reference) fails with it: the allocation `number` from now
// (1 is the next) fails, once. 0 takes back a failure still to come.
void FailGameAllocation(std::uint64_t number);
// Every allocation of the game's memory takes its turn here first; false for
// the one chosen to fail.
bool TakeAllocationTurn();

// Appends one element, growing the storage to max(count + 1, 2 * capacity)
// when it is full. False, with the array unchanged, when the array is
// inconsistent or the new storage cannot be had.
bool GameArrayAppend(veltrane::CountedArrayHeader* array, const void* element,
                     std::uint32_t elementSize);

// Zeroed storage for `count` elements with capacity == count (null for 0).
void GameArrayReserveExact(veltrane::CountedArrayHeader* array, std::uint32_t count,
                           std::uint32_t elementSize);
// Frees the storage and leaves an empty array.
void GameArrayFree(veltrane::CountedArrayHeader* array);

// Blocks handed out and not yet given back.
std::size_t GameLiveBlockCount();

}  // namespace sim
