// The game's interned, reference-counted strings. Equal texts share one
// storage, so a fixed string is compared by its pointer; the empty text is the
// null pointer.
#pragma once

#include <cstddef>

#include "host/layouts.h"

namespace sim {

void FixedStringMake(veltrane::FixedString* out, const char* text);
void FixedStringAssign(veltrane::FixedString* target, const char* text);
void FixedStringRelease(veltrane::FixedString* string);

// Distinct texts alive in the pool.
std::size_t LiveFixedStringCount();

}  // namespace sim
