// The game's fixed strings and counted arrays, of which most records are
// made.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layouts/GameObjects.h"

namespace veltrane {

// An interned, reference-counted game string. Made, assigned and released
// only through the game; the text is read directly.
struct FixedString {
    const char* data;  // null for the empty string
};
static_assert(sizeof(FixedString) == 8);

inline const char* FixedStringText(const FixedString& s) { return s.data ? s.data : ""; }

// The game's growable array. Elements live in game-allocated storage; an
// append that needs room grows the capacity to max(count + 1, 2 * capacity)
// through the game's allocator.
struct CountedArrayHeader {
    void* data;
    std::uint32_t capacity;
    std::uint32_t count;
};
static_assert(sizeof(CountedArrayHeader) == 16);
static_assert(offsetof(CountedArrayHeader, data) == 0x00);
static_assert(offsetof(CountedArrayHeader, capacity) == 0x08);
static_assert(offsetof(CountedArrayHeader, count) == 0x0C);

template <class T>
struct CountedArray {
    T* data;
    std::uint32_t capacity;
    std::uint32_t count;

    CountedArrayHeader* Header() { return reinterpret_cast<CountedArrayHeader*>(this); }
    T* begin() const { return data; }
    T* end() const { return data + count; }
};
static_assert(sizeof(CountedArray<Form*>) == sizeof(CountedArrayHeader));
static_assert(offsetof(CountedArray<Form*>, capacity) == offsetof(CountedArrayHeader, capacity));
static_assert(offsetof(CountedArray<Form*>, count) == offsetof(CountedArrayHeader, count));

}  // namespace veltrane
