// An INI file in memory, read, searched and written back the way Wine's
// private-profile functions do, so that both builds see a settings file alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

struct ProfileKey {
    std::string name;
    // Empty for a line without '=', which is kept and written back as it was
    // (that is how comment lines survive a rewrite).
    std::optional<std::string> value;
};

struct ProfileSection {
    std::string name;  // empty for the lines before the first header
    std::vector<ProfileKey> keys;
};

struct ProfileDocument {
    bool utf8Bom = false;
    std::vector<ProfileSection> sections{ProfileSection{}};
};

ProfileDocument ParseProfile(std::string_view text);
std::string SerializeProfile(const ProfileDocument& document);

// The first key of that name in the first section of that name; names match
// without regard to ASCII case or surrounding blanks. Null when absent.
const ProfileKey* FindProfileKey(const ProfileDocument& document, std::string_view section,
                                 std::string_view key);

// Stores the value, creating the section at the end and the key at the end of
// its section as needed. False when the key already held exactly that value.
bool SetProfileValue(ProfileDocument& document, std::string_view section, std::string_view key,
                     std::string_view value);

// What GetPrivateProfileString hands back for a stored value in a buffer of
// `capacity` bytes: one pair of matching quotes removed, cut to capacity - 1.
std::string CopyProfileEntry(std::string_view value, std::size_t capacity);

// The caller's default loses its trailing spaces, all but a first character.
std::string_view TrimProfileDefault(std::string_view fallback);

}  // namespace platform::posix
