#include "platform/posix/native_path.h"

#include <algorithm>

namespace platform::posix {

std::string NativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

}  // namespace platform::posix
