#include <windows.h>

#include "platform/platform.h"

namespace platform {

bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                      std::uint32_t* oldProtection) {
    DWORD previous = 0;
    if (!VirtualProtect(address, size, newProtection, &previous)) return false;
    if (oldProtection != nullptr) *oldProtection = previous;
    return true;
}

}  // namespace platform
