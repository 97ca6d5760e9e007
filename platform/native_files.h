// The system's own answers behind SystemFiles(): what is at a path, and the
// private-profile calls. Only the platform's file systems call these;
// everything else asks a FileSystem, so that tests can make any of them fail.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace platform::native {

PathKind QueryPath(const std::string& path);
std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                              const std::string& path, std::size_t capacity);
bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& path);

}  // namespace platform::native
