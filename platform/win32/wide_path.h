// The plug-in's paths are texts in the system code page; the file system's
// names are wide.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring WidePath(const std::string& path);

}  // namespace platform::win32
