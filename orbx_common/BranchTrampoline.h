// A small block of executable memory close below the game image. A relative
// call in the game's code can only reach +-2 GiB; pointed at a slot here, it
// reaches a far jump to any address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace Corvanis {

// What an operation of the trampoline reports. It never prints and never
// stops the process: its caller decides what a status means.
enum class TrampolineStatus {
    Ok,
    NoTrampoline,  // none was created
    Full,          // not enough room left for the bytes asked
    OutOfReach,    // the new slot lies beyond the reach of the call
    NotWritable,   // the code could not be made writable
};

// What the search for room met that a person watching would want told, in
// the order it met it.
struct TrampolineSearchEvent {
    enum class Kind {
        QueryFailed,         // the search ends there
        ReservationRefused,  // the search goes on below
        NoFreeSpace,         // the search reached its bound
    };
    Kind kind;
    std::uintptr_t address = 0;  // where a reservation was refused
    std::uint32_t error = 0;     // the system's error code of a failed query or reservation
};

struct TrampolineSearch {
    bool created = false;
    std::vector<TrampolineSearchEvent> events;
};

class BranchTrampoline {
public:
    static constexpr std::size_t kSize = 256;

    constexpr BranchTrampoline() = default;
    ~BranchTrampoline();
    BranchTrampoline(const BranchTrampoline&) = delete;
    BranchTrampoline& operator=(const BranchTrampoline&) = delete;

    // Reserves kSize bytes in the highest free region below the image that is
    // still within reach of it. `created` is true when a trampoline exists
    // afterwards; a second call allocates nothing.
    TrampolineSearch Create(std::uintptr_t imageBase, platform::MemorySystem& memory);

    // Gives the memory back. The process-wide trampoline does so at exit.
    void Destroy();

    // The next `size` bytes into `bytes`, which is left alone on failure.
    TrampolineStatus AllocateBytes(std::size_t size, void*& bytes);

    // Points the relative call at `site` to a new slot that jumps to
    // `target`. A slot out of the call's reach stays taken.
    TrampolineStatus WriteCallThroughTrampoline(std::uintptr_t site, std::uintptr_t target);

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
