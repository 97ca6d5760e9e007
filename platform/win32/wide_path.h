// The plug-in's paths are texts in the system code page, a tool's may be
// UTF-8; the file system's names are wide.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring WidePath(const std::string& path);

// From now on, WidePath reads paths as UTF-8.
void UseUtf8Paths();

}  // namespace platform::win32
