#include <sys/stat.h>

#include <cstdio>

#include "platform/native_files.h"
#include "platform/posix/native_path.h"
#include "platform/posix/profile_document.h"

namespace platform::native {

namespace {

// The file's bytes; false when it is missing, not a regular file or unreadable.
bool ReadRegularFile(const std::string& path, std::string& out) {
    struct stat status{};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    out.clear();
    char chunk[4096];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) out.append(chunk, read);
    const bool complete = !std::ferror(file);
    std::fclose(file);
    return complete;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& path,
                              std::size_t capacity) {
    std::string text;
    if (ReadRegularFile(posix::NativePath(path), text)) {
        const posix::ProfileDocument document = posix::ParseProfile(text);
        const posix::ProfileKey* entry = posix::FindProfileKey(document, section, key);
        if (entry != nullptr && entry->value) return posix::CopyProfileEntry(*entry->value, capacity);
    }
    return posix::CopyProfileEntry(posix::TrimProfileDefault(fallback), capacity);
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    const std::string native = posix::NativePath(path);
    struct stat status{};
    const bool exists = stat(native.c_str(), &status) == 0;
    std::string text;
    if (exists && !ReadRegularFile(native, text)) return false;
    posix::ProfileDocument document = posix::ParseProfile(text);
    if (!posix::SetProfileValue(document, section, key, value)) return true;
    return WriteWholeFile(native, posix::SerializeProfile(document));
}

}  // namespace platform::native
