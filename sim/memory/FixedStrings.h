// The game's interned, reference-counted strings. Equal texts share one
// storage, so a fixed string is compared by its pointer; the empty text is the
// null pointer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "host/layouts/StringsAndArrays.h"

namespace sim {

void FixedStringMake(veltrane::FixedString* out, const char* text);
void FixedStringAssign(veltrane::FixedString* target, const char* text);
void FixedStringRelease(veltrane::FixedString* string);

// Whether the storage is a string of the pool with a holder (null, the empty
// text, is).
bool IsLiveFixedString(const char* storage);

// Distinct texts alive in the pool.
std::size_t LiveFixedStringCount();

// A line for each live string whose count is not the number of its holders
// that `holders` finds.
std::vector<std::string> MiscountedFixedStrings(const std::function<std::size_t(const char* storage)>& holders);

}  // namespace sim
