#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace platform {

void ShowMessageBox(const char* text, const char* caption) {
    std::fputs(caption, stderr);
    std::fputc('\n', stderr);
    std::fputs(text, stderr);
    const std::size_t length = std::strlen(text);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stderr);
    std::fflush(stderr);
}

void TerminateCurrentProcess(std::uint32_t exitCode) {
    // Like TerminateProcess: every thread ends at once with the code, and no
    // exit handler, static destructor or stream flush runs.
    _exit(static_cast<int>(exitCode));
}

}  // namespace platform
