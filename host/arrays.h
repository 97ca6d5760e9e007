// Room in the game's counted arrays, taken before a change and handed over
// during it. A change that must happen whole takes all the memory it needs
// while it can still give up; filling the arrays afterwards then never asks
// the game for memory, and so cannot fail halfway.
#pragma once

#include <cstdint>

#include "host/layouts.h"

namespace host {

// A block of the game's memory for an array's elements, owned until it is
// handed to an array, and given back to the game if it never is.
class ArrayStorage {
public:
    ArrayStorage() = default;
    ~ArrayStorage();
    ArrayStorage(ArrayStorage&& other) noexcept;
    ArrayStorage& operator=(ArrayStorage&& other) noexcept;
    ArrayStorage(const ArrayStorage&) = delete;
    ArrayStorage& operator=(const ArrayStorage&) = delete;

    // Takes room for `count` elements when the array has less; false when
    // the game has no memory for it.
    bool ReserveFor(const veltrane::CountedArrayHeader& array, std::uint32_t count, std::uint32_t elementSize);

    // Empties the array. When room was reserved for it, the array gets that
    // room, and its own storage goes back to the game.
    void EmptyInto(veltrane::CountedArrayHeader& array);

private:
    void* data_ = nullptr;
    std::uint32_t capacity_ = 0;
};

}  // namespace host
