// Skeleton: replaced by the Win32 layer.
#include "platform/platform.h"

#include <windows.h>

namespace platform {

void* MainModuleSymbol(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), name));
}

}  // namespace platform
