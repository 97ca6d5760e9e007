#include "import/BlueprintLookup.h"

#include "format/BlueprintFileName.h"
#include "orbx_common/FileExists.h"

namespace Corvanis {

std::optional<std::string> FindBlueprintFile(const std::string& folder, const std::string& fileName) {
    if (RegularFileExists(folder, fileName)) return fileName;
    std::string sanitised = SanitizeBlueprintFileName(fileName);
    if (sanitised != fileName && RegularFileExists(folder, sanitised)) return sanitised;
    return std::nullopt;
}

}  // namespace Corvanis
