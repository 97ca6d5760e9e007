#include "sim/loader/PluginFiles.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace sim::loader {

namespace {

#if defined(_WIN32)
constexpr const char* kPluginExtension = ".dll";
#else
constexpr const char* kPluginExtension = ".so";
#endif

bool HasPluginExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == kPluginExtension;
}

}  // namespace

std::vector<std::filesystem::path> FindPluginFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) && HasPluginExtension(entry->path())) {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return a.filename().string() < b.filename().string();
    });
    return files;
}

}  // namespace sim::loader
