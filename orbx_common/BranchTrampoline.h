// A small block of executable memory close below the game image. A relative
// call in the game's code can only reach +-2 GiB; pointed at a slot here, it
// reaches a far jump to any address.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace Corvanis {

class BranchTrampoline {
public:
    static constexpr std::size_t kSize = 256;

    constexpr BranchTrampoline() = default;
    ~BranchTrampoline();
    BranchTrampoline(const BranchTrampoline&) = delete;
    BranchTrampoline& operator=(const BranchTrampoline&) = delete;

    // Reserves kSize bytes in the highest free region below the image that is
    // still within reach of it, and tells on standard output why when there
    // is none. True when a trampoline exists afterwards; a second call
    // allocates nothing.
    bool Create(std::uintptr_t imageBase, platform::MemorySystem& memory);

    // Gives the memory back. The process-wide trampoline does so at exit.
    void Destroy();

    // The next `size` bytes. Stops the process when there is no trampoline
    // or not enough room left in it.
    void* AllocateBytes(std::size_t size);

    // Points the relative call at `site` to a new slot that jumps to
    // `target`. Stops the process when the slot is out of the call's reach;
    // false when the code cannot be made writable.
    bool WriteCallThroughTrampoline(std::uintptr_t site, std::uintptr_t target);

    std::uintptr_t Base() const { return reinterpret_cast<std::uintptr_t>(m_base); }
    std::size_t Capacity() const { return m_capacity; }
    std::size_t Used() const { return m_used; }

private:
    std::uint8_t* m_base = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;
    platform::MemorySystem* m_memory = nullptr;
};

// The trampoline of the plug-in, reserved by ORBXPlugin_Load.
extern BranchTrampoline g_branchTrampoline;

// The callee of the relative call at `site`, or 0 when the site holds none.
std::uintptr_t GetCallTarget(std::uintptr_t site);

}  // namespace Corvanis
