#include "orbx_common/FileExists.h"

namespace Corvanis {

bool RegularFileExists(const std::string& folder, const std::string& fileName, platform::FileSystem& files) {
    if (folder.empty() || fileName.empty()) return false;
    const platform::PathKind folderKind = files.QueryPath(folder);
    if (folderKind == platform::PathKind::NotFound || folderKind == platform::PathKind::QueryFailed) return false;
    return files.QueryPath(folder + fileName) == platform::PathKind::RegularFile;
}

}  // namespace Corvanis
