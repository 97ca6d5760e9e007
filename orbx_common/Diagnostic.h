// Lines for whoever watches the process's standard output: why the branch
// trampoline could not be reserved, which of its checks stopped the process,
// or that the start-up stopped early. The plug-in's only output besides
// console lines and the fatal report.
#pragma once

#include <string>

namespace Corvanis {

// printf-style. The text is cut to fit an 8,192-byte buffer together with the
// line break that is appended. 64-bit arguments may be given as "%I64X".
void WriteDiagnostic(const char* format, ...);

// The format with the Microsoft size prefixes I64 and I32 spelled the way
// every C library reads them.
std::string PortableFormat(const char* format);

}  // namespace Corvanis
