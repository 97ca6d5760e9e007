#include <windows.h>

#include <vector>

// windows.h names the win.ini writer WriteProfileString; ours is another.
#undef WriteProfileString

#include "platform/native_files.h"

namespace platform::native {

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& path,
                              std::size_t capacity) {
    if (capacity == 0) return {};
    std::vector<char> buffer(capacity, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                             static_cast<DWORD>(capacity), path.c_str());
    buffer.back() = '\0';
    return buffer.data();
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace platform::native
