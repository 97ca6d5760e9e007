#include "fuzz/support/InMemoryBlueprint.h"

namespace corvanis_fuzz {

namespace {

// Any value but kNoFile: nothing is behind the handles.
constexpr platform::FileHandle kBlueprintHandle = 1;
constexpr platform::FileHandle kWrittenHandle = 2;

}  // namespace

platform::CreateResult InMemoryBlueprint::CreateNewFile(const std::string&, platform::FileHandle& file) {
    file = kWrittenHandle;
    written_.clear();
    return platform::CreateResult::Created;
}

bool InMemoryBlueprint::Write(platform::FileHandle, const void* bytes, std::size_t size) {
    written_.append(static_cast<const char*>(bytes), size);
    return true;
}

bool InMemoryBlueprint::OpenForUpdate(const std::string&, platform::FileHandle& file) {
    file = kBlueprintHandle;
    return true;
}

bool InMemoryBlueprint::OpenForReading(const std::string&, platform::FileHandle& file) {
    file = kBlueprintHandle;
    return true;
}

bool InMemoryBlueprint::ReadWhole(platform::FileHandle, std::string& bytes) {
    bytes = bytes_;
    return true;
}

}  // namespace corvanis_fuzz
