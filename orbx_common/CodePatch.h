// The one way the plug-in writes into the game's code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace Corvanis {

// Makes the bytes writable, copies the new ones in, flushes them from the
// instruction cache and gives the pages their protection back. False, with
// nothing written, when they cannot be made writable.
bool PatchCode(std::uintptr_t address, const void* bytes, std::size_t size, platform::MemorySystem& memory);

}  // namespace Corvanis
