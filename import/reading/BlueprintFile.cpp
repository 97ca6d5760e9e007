#include "import/reading/BlueprintFile.h"

#include <exception>

namespace Corvanis {

namespace {

// The importers' texts, their spelling included.
constexpr const char* kUpdateCheckNotOpen = "Bleuprint read error: !inputstream.is_open()";
constexpr const char* kNotOpen = "Bleuprint read error: !file.is_open()";
constexpr const char* kReadError = "Bleuprint read error: file.bad()";
constexpr const char* kDoesNotFit = "Bleuprint read error: file.fail()";

}  // namespace

BlueprintFile::~BlueprintFile() {
    if (updateCheck_ != platform::kNoFile) files_.Close(updateCheck_);
}

bool BlueprintFile::Open(const std::string& folder, const std::string& fileName, std::string& errorText) {
    const std::string path = folder + fileName;
    if (!files_.OpenForUpdate(path, updateCheck_)) {
        errorText = kUpdateCheckNotOpen;
        return false;
    }
    platform::FileHandle file = platform::kNoFile;
    if (!files_.OpenForReading(path, file)) {
        errorText = kNotOpen;
        return false;
    }
    bool read = false;
    try {
        read = files_.ReadWhole(file, bytes_);
        if (!read) errorText = kReadError;
    } catch (const std::exception&) {
        bytes_.clear();
        bytes_.shrink_to_fit();
        errorText = kDoesNotFit;
    }
    // Nothing was written through this handle, so closing it cannot lose
    // anything.
    files_.Close(file);
    return read;
}

}  // namespace Corvanis
