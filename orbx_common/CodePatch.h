// The one way the plug-in writes into the game's code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Corvanis {

// Makes the bytes writable, copies the new ones in and gives the pages their
// protection back. False, with nothing written, when they cannot be made
// writable.
bool PatchCode(std::uintptr_t address, const void* bytes, std::size_t size);

}  // namespace Corvanis
