#include "orbx_common/CodePatch.h"

#include <cstring>

#include "platform/platform.h"

namespace Corvanis {

bool PatchCode(std::uintptr_t address, const void* bytes, std::size_t size) {
    void* code = reinterpret_cast<void*>(address);
    std::uint32_t previous = 0;
    if (!platform::ChangeProtection(code, size, platform::kPageExecuteReadWrite, &previous)) return false;
    std::memcpy(code, bytes, size);
    std::uint32_t unused = 0;
    platform::ChangeProtection(code, size, previous, &unused);
    return true;
}

}  // namespace Corvanis
