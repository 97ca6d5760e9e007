#include <windows.h>

#include "platform/platform.h"

namespace platform {

void ShowMessageBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_SETFOREGROUND);
}

void TerminateCurrentProcess(std::uint32_t exitCode) {
    TerminateProcess(GetCurrentProcess(), exitCode);
    // TerminateProcess on the own process does not come back; should it ever,
    // the caller's promise not to return still holds.
    for (;;) ExitProcess(exitCode);
}

}  // namespace platform
