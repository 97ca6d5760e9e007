// Names the game compares without regard to case (file names, command names)
// fold only ASCII letters, whatever the locale: a byte outside A-Z is itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sim {

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

inline std::string CaseFolded(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}

}  // namespace sim
