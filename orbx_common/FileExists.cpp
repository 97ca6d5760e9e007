#include "orbx_common/FileExists.h"

#include "platform/platform.h"

namespace Corvanis {

bool RegularFileExists(const std::string& folder, const std::string& fileName) {
    if (folder.empty() || fileName.empty()) return false;
    const platform::PathKind folderKind = platform::QueryPath(folder);
    if (folderKind == platform::PathKind::NotFound || folderKind == platform::PathKind::QueryFailed) return false;
    return platform::QueryPath(folder + fileName) == platform::PathKind::RegularFile;
}

}  // namespace Corvanis
