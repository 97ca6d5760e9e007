// Numbers as the tool prints them, the same in every locale.
#pragma once

#include <cstddef>
#include <string>

namespace blueprint_tool {

// Fixed-point with the given number of decimals: "4.00", "-6.25".
std::string FixedText(double value, int decimals);

// The count and the word for it: "1 module", "4 modules".
std::string Counted(std::size_t count, const char* one, const char* many);

}  // namespace blueprint_tool
