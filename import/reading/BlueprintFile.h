// A blueprint file read whole, as the importers and the tool read it: first
// the check that the file may be changed (a read-only file is refused), then
// its bytes exactly as stored, then its lines.
#pragma once

#include <string>
#include <string_view>

#include "import/reading/BlueprintLines.h"
#include "platform/platform.h"

namespace Corvanis {

class BlueprintFile {
public:
    explicit BlueprintFile(platform::FileSystem& files) : files_(files) {}
    ~BlueprintFile();
    BlueprintFile(const BlueprintFile&) = delete;
    BlueprintFile& operator=(const BlueprintFile&) = delete;

    // Opens folder + fileName (joined as they are) for reading and writing as
    // a check, and keeps that open while the object lives; then reads the
    // file's bytes. False with `errorText` set to the importers' text when
    // either fails:
    //   "Bleuprint read error: !inputstream.is_open()"  the check did not open
    //   "Bleuprint read error: !file.is_open()"         the file did not open for reading
    //   "Bleuprint read error: file.bad()"              the system reported a read error
    //   "Bleuprint read error: file.fail()"             the file does not fit in memory
    // Called once for each object.
    bool Open(const std::string& folder, const std::string& fileName, std::string& errorText);

    std::string_view Bytes() const { return bytes_; }
    // Views into Bytes(): valid while the object lives.
    BlueprintLines Lines() const { return BlueprintLines(bytes_); }

private:
    platform::FileSystem& files_;
    platform::FileHandle updateCheck_ = platform::kNoFile;
    std::string bytes_;
};

}  // namespace Corvanis
