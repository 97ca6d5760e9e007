#include "tests/support/FailingFileSystem.h"

#include <utility>

namespace corvanis_test {

bool FailingFileSystem::Fails(FileOperation operation, std::optional<FileOperation> openedBy, std::string path) {
    const bool fails = failAt_.count(++operations_) != 0 || failEvery_ == operation;
    log_.push_back({operation, openedBy, std::move(path), fails});
    if (fails && !failed_) failed_ = operation;
    return fails;
}

void FailingFileSystem::Opened(bool opened, platform::FileHandle file, FileOperation operation) {
    if (opened) openedBy_[file] = operation;
}

platform::PathKind FailingFileSystem::QueryPath(const std::string& path) {
    return queriesFail_ ? platform::PathKind::QueryFailed : real_.QueryPath(path);
}

bool FailingFileSystem::ListFolder(const std::string& path, std::vector<std::string>& names) {
    return !queriesFail_ && real_.ListFolder(path, names);
}

std::string FailingFileSystem::ReadProfileString(const std::string& section, const std::string& key,
                                                 const std::string& fallback, const std::string& path,
                                                 std::size_t capacity) {
    return real_.ReadProfileString(section, key, fallback, path, capacity);
}

bool FailingFileSystem::WriteProfileString(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& path) {
    return real_.WriteProfileString(section, key, value, path);
}

bool FailingFileSystem::CreateFolder(const std::string& path) {
    return !Fails(FileOperation::CreateFolder) && real_.CreateFolder(path);
}

platform::CreateResult FailingFileSystem::CreateNewFile(const std::string& path, platform::FileHandle& file) {
    if (Fails(FileOperation::CreateNewFile)) return platform::CreateResult::Failed;
    const platform::CreateResult result = real_.CreateNewFile(path, file);
    Opened(result == platform::CreateResult::Created, file, FileOperation::CreateNewFile);
    return result;
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
    const auto opener = openedBy_.find(file);
    std::optional<FileOperation> openedBy;
    if (opener != openedBy_.end()) {
        openedBy = opener->second;
        openedBy_.erase(opener);
    }
    return !Fails(FileOperation::Close, openedBy) && closed;
}

platform::MoveResult FailingFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
    if (beforeMove_) std::exchange(beforeMove_, {})();
    if (Fails(FileOperation::Move)) return platform::MoveResult::Failed;
    return real_.MoveNoReplace(from, to);
}

bool FailingFileSystem::Remove(const std::string& path) {
    return !Fails(FileOperation::Remove, std::nullopt, path) && real_.Remove(path);
}

bool FailingFileSystem::OpenForUpdate(const std::string& path, platform::FileHandle& file) {
    if (Fails(FileOperation::OpenForUpdate)) return false;
    const bool opened = real_.OpenForUpdate(path, file);
    Opened(opened, file, FileOperation::OpenForUpdate);
    return opened;
}

bool FailingFileSystem::OpenForReading(const std::string& path, platform::FileHandle& file) {
    if (Fails(FileOperation::OpenForReading)) return false;
    const bool opened = real_.OpenForReading(path, file);
    Opened(opened, file, FileOperation::OpenForReading);
    return opened;
}

bool FailingFileSystem::OpenForAppending(const std::string& path, platform::FileHandle& file) {
    if (Fails(FileOperation::OpenForAppending)) return false;
    const bool opened = real_.OpenForAppending(path, file);
    Opened(opened, file, FileOperation::OpenForAppending);
    return opened;
}

bool FailingFileSystem::ReadWhole(platform::FileHandle file, std::string& bytes) {
    if (Fails(FileOperation::Read)) {
        bytes.clear();
        return false;
    }
    return real_.ReadWhole(file, bytes);
}

}  // namespace corvanis_test
