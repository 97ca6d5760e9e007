// The game's memory manager: every block that game records point to (component
// records, counted-array storage, property sheets) comes from here, and plug-ins
// reach the same manager through the game interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "host/layouts/StringsAndArrays.h"

namespace sim {

void* GameAllocate(std::uint64_t size);
// Gives back a block. Memory the game never handed out, a block given back
// already and a block a live record still points to are game errors, and the
// block stays as it was.
void GameDeallocate(void* memory);
// Whether the memory is a block the game handed out and has not had back.
bool IsGameBlock(const void* memory);

// Names the live record that points to the memory ("" for none). The world
// answers it, so that a block is not given back while the game still uses it.
using MemoryHolderQuery = std::function<std::string(const void* memory)>;
void SetMemoryHolderQuery(MemoryHolderQuery query);

// A game that runs out of memory answers null, and whatever allocates for it
// (an append, a new reference) fails with it: the allocation `number` from now
// (1 is the next) fails, once. 0 takes back a failure still to come.
void FailGameAllocation(std::uint64_t number);
// Every allocation of the game's memory takes its turn here first; false for
// the one chosen to fail.
bool TakeAllocationTurn();

// A game that runs out of memory answers null, and whatever allocates for it
// (an append, a new reference) fails with it: the allocation `number` from now
// (1 is the next) fails, once. 0 takes back a failure still to come.
void FailGameAllocation(std::uint64_t number);
// Every allocation of the game's memory takes its turn here first; false for
// the one chosen to fail.
bool TakeAllocationTurn();

// Appends one element, growing the storage to max(count + 1, 2 * capacity)
// when it is full. False, with the array unchanged, when the array is
// inconsistent, holds elements of another size, or the new storage cannot be
// had.
bool GameArrayAppend(veltrane::CountedArrayHeader* array, const void* element,
                     std::uint32_t elementSize);

// Grows the storage to `capacity` elements when it has less, keeping the
// elements. False, with the array unchanged, when the array is inconsistent
// or the new storage cannot be had.
bool GameArrayReserve(veltrane::CountedArrayHeader* array, std::uint32_t capacity, std::uint32_t elementSize);

// Zeroed storage for `count` elements with capacity == count (null for 0).
void GameArrayReserveExact(veltrane::CountedArrayHeader* array, std::uint32_t count,
                           std::uint32_t elementSize);
// Leaves an empty array and frees its storage (only storage with room: an
// empty list's storage need not be the game's).
void GameArrayFree(veltrane::CountedArrayHeader* array);

// Where the game's empty lists may point: storage in its image, shared by
// all of them, that is no block of its heap.
void* SharedEmptyListStorage();

// Blocks handed out and not yet given back, and the bytes asked for them.
std::size_t GameLiveBlockCount();
std::uint64_t GameLiveByteCount();

}  // namespace sim
