// File names as Windows and the game compare them: ASCII letters without
// regard to case, every other byte as it is. Data file names in form
// references, and the extension of a blueprint's file name, match this way.
#pragma once

#include <string>
#include <string_view>

namespace Corvanis {

constexpr char FoldedLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool SameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldedLetter(a[i]) != FoldedLetter(b[i])) return false;
    }
    return true;
}

// The name with ASCII letters in lower case, for use as a key.
inline std::string FoldedFileName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = FoldedLetter(c);
    return folded;
}

}  // namespace Corvanis
