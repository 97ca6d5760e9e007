// The start that every number text shares: blanks, then a sign.
#pragma once

#include <cstddef>
#include <string_view>

namespace Corvanis {

// The "C" locale's isspace: no other byte is a blank, whatever the locale.
constexpr bool IsCBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

struct NumberStart {
    std::size_t position;  // of the first character after blanks and sign
    bool negative;
};

constexpr NumberStart SkipBlanksAndSign(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsCBlank(text[at])) ++at;
    const bool signed_ = at < text.size() && (text[at] == '+' || text[at] == '-');
    return {at + (signed_ ? 1 : 0), signed_ && text[at] == '-'};
}

constexpr bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "0x" or "0X" followed by a hexadecimal digit at `at`.
constexpr bool HasHexPrefix(std::string_view text, std::size_t at) {
    return text.size() > at + 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
           IsHexDigit(text[at + 2]);
}

}  // namespace Corvanis
