#include "forms/HexText.h"

namespace Corvanis {

std::size_t WriteHexText(std::uint64_t value, char* out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char reversed[16];
    std::size_t length = 0;
    do {
        reversed[length++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    for (std::size_t i = 0; i < length; ++i) out[i] = reversed[length - 1 - i];
    return length;
}

std::string HexText(std::uint64_t value) {
    char text[16];
    return std::string(text, WriteHexText(value, text));
}

}  // namespace Corvanis
