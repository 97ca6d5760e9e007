// The POSIX layer's settings-file reading on any bytes: the file parsed, the
// plug-in's keys looked up and copied out as GetPrivateProfileString hands
// them back, then some of them written as the plug-in writes them and the
// file read again, where each must read back as written (but in the one case
// where Wine's functions, which the layer follows, lose it too). A broken
// promise ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/support/Fail.h"
#include "platform/posix/profile_document.h"

namespace {

using namespace platform::posix;
using corvanis_fuzz::Fail;

struct Key {
    const char* section;
    const char* name;
};

// Keys of the plug-in's settings file, one from each section.
constexpr Key kKeys[] = {
    {"Piloting", "bNoPilotingSkillRequirement"},
    {"Export", "bSkipBOOK"},
    {"Import", "bWorkshopItems"},
    {"Misc", "bAlwaysReloadSettingsOnCommand"},
};

// The plug-in's buffer for a value, and small ones that cut values short.
constexpr std::size_t kCapacities[] = {0, 1, 2, 3, 10000};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string ReadValue(const ProfileDocument& document, const Key& key, std::size_t capacity) {
    const ProfileKey* entry = FindProfileKey(document, key.section, key.name);
    if (entry == nullptr || !entry->value) return CopyProfileEntry(TrimProfileDefault(""), capacity);
    const std::string value = CopyProfileEntry(*entry->value, capacity);
    if (capacity > 0 && value.size() >= capacity) Fail("Broken: a value fits the buffer with its NUL");
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    ProfileDocument document = ParseProfile(file);
    for (const Key& key : kKeys) {
        for (const std::size_t capacity : kCapacities) ReadValue(document, key, capacity);
    }
    TrimProfileDefault(file);
    for (const Key& key : kKeys) SetProfileValue(document, key.section, key.name, "1");
    const std::string text = SerializeProfile(document);
    // Blank lines are not written back, so a line that began with a
    // byte-order mark after them may come to begin the file, where the next
    // reading drops the mark and reads the rest of the line anew: perhaps a
    // section header that takes the keys below it. Wine does the same.
    if (!document.utf8Bom && text.starts_with(kUtf8Bom)) return 0;
    const ProfileDocument written = ParseProfile(text);
    for (const Key& key : kKeys) {
        if (ReadValue(written, key, 10000) != "1") Fail("Broken: a key reads back as it was written");
    }
    return 0;
}
