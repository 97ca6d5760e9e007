#pragma once

#include <string>

#include "platform/platform.h"

namespace Corvanis {

// A blueprint on its way to disk. It is written into a new file in the same
// folder and moved onto its name only when complete, never over a file that
// has the name; a blueprint that does not get there leaves nothing behind,
// not even its temporary file.
class BlueprintOutputFile {
public:
    BlueprintOutputFile(platform::FileSystem& files, std::string folder, const std::string& fileName);
    ~BlueprintOutputFile();
    BlueprintOutputFile(const BlueprintOutputFile&) = delete;
    BlueprintOutputFile& operator=(const BlueprintOutputFile&) = delete;

    // Creates the folder when it is missing and a new temporary file in it.
    // False when the blueprint's name is not free.
    bool Open();
    platform::FileHandle Handle() const { return handle_; }
    // False when the system could not store what was written.
    bool Close();
    // Gives the closed file the blueprint's name.
    platform::MoveResult PutInPlace();

    const std::string& Path() const { return path_; }

private:
    platform::FileSystem& files_;
    std::string folder_;
    std::string path_;
    std::string temporaryPath_;
    platform::FileHandle handle_ = platform::kNoFile;
    bool inPlace_ = false;
};

}  // namespace Corvanis
