#pragma once

#include <string>

#include "platform/platform.h"

namespace Corvanis {

// Whether folder + fileName (joined as they are: the folder ends with a
// backslash) is a regular file. Every problem of the file system answers
// false.
bool RegularFileExists(const std::string& folder, const std::string& fileName, platform::FileSystem& files);

}  // namespace Corvanis
