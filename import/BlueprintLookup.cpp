#include "import/BlueprintLookup.h"

#include "format/BlueprintFileName.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

std::optional<std::string> FindBlueprintFile(const std::string& folder, const std::string& fileName,
                                             platform::FileSystem& files) {
    if (RegularFileExists(folder, fileName, files)) return fileName;
    std::string sanitised = SanitizeBlueprintFileName(fileName);
    if (sanitised != fileName && RegularFileExists(folder, sanitised, files)) return sanitised;
    return std::nullopt;
}

}  // namespace Corvanis
