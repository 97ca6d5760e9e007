// Upper-case hexadecimal texts as blueprints and error texts show numbers.
#pragma once

#include <cstdint>
#include <string>

namespace Corvanis {

// The value without leading zeros: "0", "A", "1F", "1F3C2A8B0".
std::string HexText(std::uint64_t value);

// Writes HexText of the value into `out` (at least 16 bytes) and returns the
// number of characters written.
std::size_t WriteHexText(std::uint64_t value, char* out);

}  // namespace Corvanis
