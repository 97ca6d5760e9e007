// How the game writes an address in its messages: "0x200000000010".
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace sim {

inline std::string AddressText(std::uintptr_t address) {
    char digits[2 * sizeof address];
    const auto written = std::to_chars(digits, digits + sizeof digits, address, 16);
    return "0x" + std::string(digits, written.ptr);
}

inline std::string AddressText(const void* address) { return AddressText(reinterpret_cast<std::uintptr_t>(address)); }

}  // namespace sim
