#include <windows.h>

#include "platform/platform.h"

namespace platform {

std::uintptr_t MainModuleBase() { return reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)); }

void* MainModuleSymbol(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), name));
}

}  // namespace platform
