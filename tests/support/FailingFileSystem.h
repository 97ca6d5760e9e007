// The system's file operations with a fault of the test's choosing: one
// operation that fails, every operation of a kind failing (a read-only file
// refuses every open for update), or a disk that is full after so many bytes.
// Every operation is counted, so that a test can fail each in turn. Queries
// and the profile calls are not counted: they change nothing, and the
// numbered operations are the steps of writing or reading a file. Queries
// fail all at once instead, as on a share that stops answering.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace corvanis_test {

enum class FileOperation { CreateFolder, CreateNewFile, Write, Close, Move, Remove, OpenForUpdate, OpenForReading, OpenForAppending, Read };

// One operation as it happened.
struct OperationRecord {
    FileOperation operation;
    // For a close: the operation that opened the file (a new file written,
    // or a file opened for reading or for the update check).
    std::optional<FileOperation> openedBy;
    // For a removal: the file's path.
    std::string path;
    bool failed = false;
};

class FailingFileSystem final : public platform::FileSystem {
public:
    explicit FailingFileSystem(platform::FileSystem& real = platform::SystemFiles()) : real_(real) {}

    // The operation with this number (counted from 1) fails, once; called
    // again, another operation fails as well.
    void FailOperation(int number) { failAt_.insert(number); }
    // Every operation of the kind fails.
    void FailEvery(FileOperation operation) { failEvery_ = operation; }
    // Writes fail once this many bytes in all are written; what fits is
    // written first, as on a disk that fills up.
    void FillAfter(std::size_t bytes) { capacity_ = bytes; }
    // Every query answers that the system could not tell.
    void FailQueries() { queriesFail_ = true; }
    // Runs just before the first move, as another program could.
    void BeforeMove(std::function<void()> action) { beforeMove_ = std::move(action); }

    int Operations() const { return operations_; }
    // The first operation that failed, if one did.
    std::optional<FileOperation> Failed() const { return failed_; }
    // Every operation in order.
    const std::vector<OperationRecord>& Log() const { return log_; }

    platform::PathKind QueryPath(const std::string& path) override;
    bool ListFolder(const std::string& path, std::vector<std::string>& names) override;
    std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& fallback,
                                  const std::string& path, std::size_t capacity) override;
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    platform::CreateResult CreateNewFile(const std::string& path, platform::FileHandle& file) override;
    bool Write(platform::FileHandle file, const void* bytes, std::size_t size) override;
    bool Close(platform::FileHandle file) override;
    platform::MoveResult MoveNoReplace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool OpenForUpdate(const std::string& path, platform::FileHandle& file) override;
    bool OpenForReading(const std::string& path, platform::FileHandle& file) override;
    bool OpenForAppending(const std::string& path, platform::FileHandle& file) override;
    bool ReadWhole(platform::FileHandle file, std::string& bytes) override;

private:
    // Counts the operation; true when it is the one to fail.
    bool Fails(FileOperation operation, std::optional<FileOperation> openedBy = std::nullopt, std::string path = {});
    // Remembers what opened the file, when it opened.
    void Opened(bool opened, platform::FileHandle file, FileOperation operation);

    platform::FileSystem& real_;
    int operations_ = 0;
    std::set<int> failAt_;
    std::vector<OperationRecord> log_;
    std::map<platform::FileHandle, FileOperation> openedBy_;
    std::optional<FileOperation> failEvery_;
    std::optional<std::size_t> capacity_;
    std::size_t written_ = 0;
    std::optional<FileOperation> failed_;
    std::function<void()> beforeMove_;
    bool queriesFail_ = false;
};

}  // namespace corvanis_test
