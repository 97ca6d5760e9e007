#include "import/BlueprintLookup.h"

#include <string_view>

#include "format/BlueprintFileName.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

namespace {

// The name as typed, or else sanitised.
std::optional<std::string> FindTypedOrSanitised(const std::string& folder, const std::string& fileName,
                                                platform::FileSystem& files) {
    if (RegularFileExists(folder, fileName, files)) return fileName;
    std::string sanitised = SanitizeBlueprintFileName(fileName);
    if (sanitised != fileName && RegularFileExists(folder, sanitised, files)) return sanitised;
    return std::nullopt;
}

// "Pathfinder.txt.txt" as "Pathfinder.txt": a player who typed the extension
// meant the file. Compared without regard to case, as Windows names are.
std::optional<std::string> WithoutDoubledExtension(const std::string& fileName) {
    const std::string_view extension = kBlueprintExtension;
    if (fileName.size() <= 2 * extension.size()) return std::nullopt;
    const std::string_view typed = std::string_view(fileName).substr(fileName.size() - 2 * extension.size(),
                                                                     extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = typed[i] >= 'A' && typed[i] <= 'Z' ? static_cast<char>(typed[i] - 'A' + 'a') : typed[i];
        if (c != extension[i]) return std::nullopt;
    }
    // The extension as the export writes it, whatever its case as typed.
    return fileName.substr(0, fileName.size() - 2 * extension.size()) + kBlueprintExtension;
}

}  // namespace

std::optional<std::string> FindBlueprintFile(const std::string& folder, const std::string& fileName,
                                             platform::FileSystem& files) {
    if (std::optional<std::string> found = FindTypedOrSanitised(folder, fileName, files)) return found;
    if (const std::optional<std::string> shorter = WithoutDoubledExtension(fileName)) {
        return FindTypedOrSanitised(folder, *shorter, files);
    }
    return std::nullopt;
}

}  // namespace Corvanis
