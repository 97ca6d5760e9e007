// A file system that holds one blueprint in memory: every file opened for
// reading is that blueprint, and every file written (an import's backup) is
// taken in, kept only until the next is created. Fuzz targets hand their
// input to an importer through it, without a write to the disk for each
// input.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "support/ScratchFolder.h"

namespace corvanis_fuzz {

class InMemoryBlueprint final : public platform::FileSystem {
public:
    void SetBytes(std::string_view bytes) { bytes_.assign(bytes); }
    // What was written to the file created last.
    const std::string& Written() const { return written_; }

    // What is at a path, the system answers: see BlueprintFolder. There is no
    // settings file.
    platform::PathKind QueryPath(const std::string& path) override { return platform::SystemFiles().QueryPath(path); }
    bool ListFolder(const std::string& path, std::vector<std::string>& names) override {
        return platform::SystemFiles().ListFolder(path, names);
    }
    std::string ReadProfileString(const std::string&, const std::string&, const std::string& fallback,
                                  const std::string&, std::size_t) override {
        return fallback;
    }
    bool WriteProfileString(const std::string&, const std::string&, const std::string&,
                            const std::string&) override {
        return false;
    }
    bool CreateFolder(const std::string&) override { return true; }
    platform::CreateResult CreateNewFile(const std::string&, platform::FileHandle& file) override;
    bool Write(platform::FileHandle, const void* bytes, std::size_t size) override;
    bool Close(platform::FileHandle) override { return true; }
    platform::MoveResult MoveNoReplace(const std::string&, const std::string&) override {
        return platform::MoveResult::Moved;
    }
    bool Remove(const std::string&) override { return true; }
    bool OpenForUpdate(const std::string&, platform::FileHandle& file) override;
    bool OpenForReading(const std::string&, platform::FileHandle& file) override;
    bool OpenForAppending(const std::string&, platform::FileHandle&) override { return false; }
    bool ReadWhole(platform::FileHandle, std::string& bytes) override;

private:
    std::string bytes_;
    std::string written_;
};

// A scratch folder holding an empty file of the name: the importers ask the
// real file system whether a blueprint exists before they open it.
class BlueprintFolder : public dev_support::ScratchFolder {
public:
    explicit BlueprintFolder(const std::string& fileName) : ScratchFolder("fuzz") { WriteFile(fileName, {}); }
};

}  // namespace corvanis_fuzz
