#include "tests/support/FailingFileSystem.h"

#include <utility>

namespace corvanis_test {

bool FailingFileSystem::Fails(FileOperation operation) {
    if (++operations_ != failAt_ && failEvery_ != operation) return false;
    failed_ = operation;
    return true;
}

bool FailingFileSystem::CreateFolder(const std::string& path) {
    return !Fails(FileOperation::CreateFolder) && real_.CreateFolder(path);
}

platform::CreateResult FailingFileSystem::CreateNewFile(const std::string& path, platform::FileHandle& file) {
    if (Fails(FileOperation::CreateNewFile)) return platform::CreateResult::Failed;
    return real_.CreateNewFile(path, file);
}

bool FailingFileSystem::Write(platform::FileHandle file, const void* bytes, std::size_t size) {
    if (Fails(FileOperation::Write)) return false;
    if (capacity_ && written_ + size > *capacity_) {
        const std::size_t fits = *capacity_ - written_;
        real_.Write(file, bytes, fits);
        written_ += fits;
        failed_ = FileOperation::Write;
        return false;
    }
    written_ += size;
    return real_.Write(file, bytes, size);
}

bool FailingFileSystem::Close(platform::FileHandle file) {
    // The file is closed either way, as a close that reports an error does.
    const bool closed = real_.Close(file);
    return !Fails(FileOperation::Close) && closed;
}

platform::MoveResult FailingFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
    if (beforeMove_) std::exchange(beforeMove_, {})();
    if (Fails(FileOperation::Move)) return platform::MoveResult::Failed;
    return real_.MoveNoReplace(from, to);
}

bool FailingFileSystem::Remove(const std::string& path) {
    return !Fails(FileOperation::Remove) && real_.Remove(path);
}

bool FailingFileSystem::OpenForUpdate(const std::string& path, platform::FileHandle& file) {
    return !Fails(FileOperation::OpenForUpdate) && real_.OpenForUpdate(path, file);
}

bool FailingFileSystem::OpenForReading(const std::string& path, platform::FileHandle& file) {
    return !Fails(FileOperation::OpenForReading) && real_.OpenForReading(path, file);
}

bool FailingFileSystem::ReadWhole(platform::FileHandle file, std::string& bytes) {
    if (Fails(FileOperation::Read)) {
        bytes.clear();
        return false;
    }
    return real_.ReadWhole(file, bytes);
}

}  // namespace corvanis_test
