// The plug-in spells paths the Windows way (".\Data\ORBX\..."); this layer
// turns them into the file system's own spelling.
#pragma once

#include <string>

namespace platform::posix {

std::string NativePath(const std::string& path);

}  // namespace platform::posix
