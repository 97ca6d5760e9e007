#include "export/BlueprintOutputFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

namespace Corvanis {

namespace {

// Temporary names already taken are left to whoever took them; a name that
// is still taken after this many tries means something else is wrong.
constexpr int kTemporaryNameAttempts = 100;

// A name of one length, whatever the blueprint is called: a blueprint name as
// long as the file system allows must not fail for its temporary file's. The
// number starts from the clock, so that a temporary file a crash left behind
// is hardly ever in the way.
std::string TemporaryFileName(std::uint64_t number) {
    char name[40];
    std::snprintf(name, sizeof name, "~Corvanis-%016llX.partial", static_cast<unsigned long long>(number));
    return name;
}

std::string WithoutTrailingSeparator(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

}  // namespace

BlueprintOutputFile::BlueprintOutputFile(platform::FileSystem& files, std::string folder, const std::string& fileName)
    : files_(files), folder_(std::move(folder)), path_(folder_ + fileName) {}

BlueprintOutputFile::~BlueprintOutputFile() {
    if (handle_ != platform::kNoFile) files_.Close(handle_);
    if (!temporaryPath_.empty() && !inPlace_) files_.Remove(temporaryPath_);
}

bool BlueprintOutputFile::Open() {
    // The finished file can only take a free name. Whatever stands there now
    // (a folder, say), or a name the system cannot answer for, is found
    // before anything is written.
    if (files_.QueryPath(path_) != platform::PathKind::NotFound) return false;
    if (files_.QueryPath(folder_) != platform::PathKind::Directory) {
        files_.CreateFolder(WithoutTrailingSeparator(folder_));
    }
    const auto first = static_cast<std::uint64_t>(platform::SteadyNanoseconds());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string candidate = folder_ + TemporaryFileName(first + attempt);
        switch (files_.CreateNewFile(candidate, handle_)) {
            case platform::CreateResult::Created:
                temporaryPath_ = candidate;
                return true;
            case platform::CreateResult::NameTaken:
                continue;
            case platform::CreateResult::Failed:
                return false;
        }
    }
    return false;
}

bool BlueprintOutputFile::Close() {
    if (handle_ == platform::kNoFile) return false;
    const platform::FileHandle closing = handle_;
    handle_ = platform::kNoFile;
    return files_.Close(closing);
}

platform::MoveResult BlueprintOutputFile::PutInPlace() {
    if (temporaryPath_.empty() || handle_ != platform::kNoFile) return platform::MoveResult::Failed;
    const platform::MoveResult result = files_.MoveNoReplace(temporaryPath_, path_);
    inPlace_ = result == platform::MoveResult::Moved;
    return result;
}

}  // namespace Corvanis
