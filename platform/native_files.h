// The system's own answers behind SystemFiles(): what is at a path, and the
// private-profile calls. Only the platform's file systems call these;
// everything else asks a FileSystem, so that tests can make any of them fail.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::native {

PathKind QueryPath(const std::string& path);
bool ListFolder(const std::string& path, std::vector<std::string>& names);
std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                              const std::string& path, std::size_t capacity);
bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& path);

// What the system file systems of both platforms answer alike: the queries
// and the profile calls are the system's own.
class SystemQueries : public FileSystem {
public:
    PathKind QueryPath(const std::string& path) override { return native::QueryPath(path); }
    bool ListFolder(const std::string& path, std::vector<std::string>& names) override {
        return native::ListFolder(path, names);
    }

    std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                  const std::string& path, std::size_t capacity) override {
        return native::ReadProfileString(section, key, fallback, path, capacity);
    }

    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override {
        return native::WriteProfileString(section, key, value, path);
    }
};

}  // namespace platform::native
