#include <windows.h>

#include "platform/platform.h"

namespace platform {

namespace {

RegionState StateOf(DWORD state) {
    switch (state) {
        case MEM_FREE: return RegionState::Free;
        case MEM_RESERVE: return RegionState::Reserved;
        default: return RegionState::Committed;
    }
}

class Win32Memory final : public MemorySystem {
public:
    bool Query(std::uintptr_t address, RegionInfo& out) override {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<LPCVOID>(address), &info, sizeof info) == 0) return false;
        out.base = reinterpret_cast<std::uintptr_t>(info.BaseAddress);
        out.size = info.RegionSize;
        out.state = StateOf(info.State);
        return true;
    }

    void* ReserveCommit(std::uintptr_t address, std::size_t size) override {
        return VirtualAlloc(reinterpret_cast<LPVOID>(address), size, MEM_COMMIT | MEM_RESERVE,
                            PAGE_EXECUTE_READWRITE);
    }

    void Release(void* base) override { VirtualFree(base, 0, MEM_RELEASE); }

    std::uint32_t LastError() override { return GetLastError(); }

    bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                          std::uint32_t* oldProtection) override {
        DWORD previous = 0;
        if (!VirtualProtect(address, size, newProtection, &previous)) return false;
        if (oldProtection != nullptr) *oldProtection = previous;
        return true;
    }

    void FlushInstructionCache(const void* address, std::size_t size) override {
        ::FlushInstructionCache(GetCurrentProcess(), address, size);
    }
};

}  // namespace

MemorySystem& SystemMemory() {
    // Never destroyed: the process-wide trampoline releases its memory through
    // this object from a static destructor that may run after ours would.
    static Win32Memory* const memory = new Win32Memory;
    return *memory;
}

}  // namespace platform
