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
    if (fileName.size() < extension.size()) return std::nullopt;
    const std::string_view typed = std::string_view(fileName).substr(0, fileName.size() - extension.size());
    if (!HasBlueprintExtension(typed)) return std::nullopt;
    // The extension as the export writes it, whatever its case as typed.
    return std::string(typed.substr(0, typed.size() - extension.size())) + kBlueprintExtension;
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
