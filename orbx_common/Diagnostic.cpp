#include "orbx_common/Diagnostic.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Corvanis {

namespace {

constexpr std::size_t kBufferSize = 8192;

}  // namespace

std::string PortableFormat(const char* format) {
    std::string portable;
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            portable += *p++;
            continue;
        }
        portable += *p++;
        while (*p != '\0' && std::strchr("-+ #0123456789.*", *p) != nullptr) portable += *p++;
        if (std::strncmp(p, "I64", 3) == 0) {
            portable += "ll";
            p += 3;
        } else if (std::strncmp(p, "I32", 3) == 0) {
            p += 3;
        }
        if (*p != '\0') portable += *p++;
    }
    return portable;
}

void WriteDiagnostic(const char* format, ...) {
    char buffer[kBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer, sizeof buffer, PortableFormat(format).c_str(), arguments);
    va_end(arguments);
    std::size_t length = written < 0 ? 0 : static_cast<std::size_t>(written);
    if (length > kBufferSize - 2) length = kBufferSize - 2;
    buffer[length] = '\n';
    std::fwrite(buffer, 1, length + 1, stdout);
    // A diagnostic is often the last thing before the process is stopped,
    // which flushes nothing.
    std::fflush(stdout);
}

}  // namespace Corvanis
