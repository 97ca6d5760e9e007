// Numbers as the tool prints them, the same in every locale.
#pragma once

#include <string>

namespace blueprint_tool {

// Fixed-point with the given number of decimals: "4.00", "-6.25".
std::string FixedText(double value, int decimals);

}  // namespace blueprint_tool
