// Values of the plug-in's INI files, read and written through the system's
// private-profile functions, as a FileSystem makes them.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace Corvanis {

// The folder the INI files live in unless a caller names another one.
inline constexpr const char* kDefaultIniFolder = ".\\Data\\ORBX\\Plugins\\";

// folder (the replacement if non-empty, else the default) + base name +
// ".ini". None when the path would not fit the system calls' 255-byte buffer
// with its terminating NUL: a shortened path would name another file.
std::optional<std::string> IniPath(const std::string& fileBaseName, const std::string& replacementFolder);

// The key's text; empty when the file is missing or the key is absent or
// empty.
std::string ReadIniValue(const std::string& fileBaseName, const std::string& section, const std::string& key,
                         const std::string& replacementFolder = {},
                         platform::FileSystem& files = platform::SystemFiles());

// Writes the key, creating the file and the section as needed (not the
// folder). True when the value read back equals the value written.
bool WriteIniValue(const std::string& fileBaseName, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& replacementFolder = {},
                   platform::FileSystem& files = platform::SystemFiles());

}  // namespace Corvanis
