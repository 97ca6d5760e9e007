#include "platform/posix/profile_document.h"

namespace platform::posix {

namespace {

// Ctrl-Z ends files written by old editors; Wine treats it as a blank.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view stored, std::string_view wanted) {
    if (stored.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (LowerAscii(stored[i]) != LowerAscii(wanted[i])) return false;
    }
    return true;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void ParseLine(std::string_view line, ProfileDocument& document) {
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            document.sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            return;
        }
    }
    std::vector<ProfileKey>& keys = document.sections.back().keys;
    const std::size_t equals = line.find('=');
    const std::string_view name = equals == std::string_view::npos ? line : TrimRight(line.substr(0, equals));
    // A nameless key right after another nameless key is dropped, as Wine does.
    if (name.empty() && !keys.empty() && keys.back().name.empty()) return;
    ProfileKey key{std::string(name), std::nullopt};
    if (equals != std::string_view::npos) key.value = std::string(TrimLeft(line.substr(equals + 1)));
    keys.push_back(std::move(key));
}

// Only the first section and the first key of a name count, as with Wine.
template <class Entries>
auto FindNamed(Entries& entries, std::string_view name) -> decltype(&entries.front()) {
    for (auto& entry : entries) {
        if (SameName(entry.name, name)) return &entry;
    }
    return nullptr;
}

}  // namespace

ProfileDocument ParseProfile(std::string_view text) {
    ProfileDocument document;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        document.utf8Bom = true;
        text.remove_prefix(kUtf8Bom.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        if (!line.empty()) ParseLine(line, document);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return document;
}

std::string SerializeProfile(const ProfileDocument& document) {
    std::string text = document.utf8Bom ? std::string(kUtf8Bom) : std::string();
    for (const ProfileSection& section : document.sections) {
        if (!section.name.empty()) text += "[" + section.name + "]\r\n";
        for (const ProfileKey& key : section.keys) {
            text += key.name;
            if (key.value) text += "=" + *key.value;
            text += "\r\n";
        }
    }
    return text;
}

const ProfileKey* FindProfileKey(const ProfileDocument& document, std::string_view section,
                                 std::string_view key) {
    const ProfileSection* found = FindNamed(document.sections, Trim(section));
    return found ? FindNamed(found->keys, Trim(key)) : nullptr;
}

bool SetProfileValue(ProfileDocument& document, std::string_view section, std::string_view key,
                     std::string_view value) {
    value = TrimLeft(value);
    ProfileSection* target = FindNamed(document.sections, Trim(section));
    if (target == nullptr) {
        // A new name keeps trailing blanks; only a later reading trims them.
        document.sections.push_back({std::string(TrimLeft(section)), {}});
        target = &document.sections.back();
    }
    ProfileKey* entry = FindNamed(target->keys, Trim(key));
    if (entry == nullptr) {
        target->keys.push_back({std::string(TrimLeft(key)), std::nullopt});
        entry = &target->keys.back();
    }
    if (entry->value && *entry->value == value) return false;
    entry->value = std::string(value);
    return true;
}

std::string CopyProfileEntry(std::string_view value, std::size_t capacity) {
    if (capacity == 0) return {};
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string copy(value.substr(0, capacity - 1));
    // Wine drops the closing quote whenever the buffer could hold the rest of
    // the value, so a buffer one byte short loses the last character too.
    if (quoted && capacity >= value.size() && !copy.empty()) copy.pop_back();
    return copy;
}

std::string_view TrimProfileDefault(std::string_view fallback) {
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
    return fallback;
}

}  // namespace platform::posix
