#include "orbx_common/CodePatch.h"

#include <cstring>

namespace Corvanis {

bool PatchCode(std::uintptr_t address, const void* bytes, std::size_t size, platform::MemorySystem& memory) {
    void* code = reinterpret_cast<void*>(address);
    std::uint32_t previous = 0;
    if (!memory.ChangeProtection(code, size, platform::kPageExecuteReadWrite, &previous)) return false;
    std::memcpy(code, bytes, size);
    // A processor may still hold the old instructions; it must run the new.
    memory.FlushInstructionCache(code, size);
    std::uint32_t unused = 0;
    memory.ChangeProtection(code, size, previous, &unused);
    return true;
}

}  // namespace Corvanis
