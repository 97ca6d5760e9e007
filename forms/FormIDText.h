// Form IDs as text: the eight-digit hexadecimal ID and the part of it that
// names the form's data file.
#pragma once

#include <cstdint>
#include <string>

#include "host/host.h"

namespace Corvanis {

// Forms the game creates while it runs have the top byte 0xFF: their IDs
// name no data file and mean nothing in another game.
constexpr bool IsCreatedAtRunTime(std::uint32_t formID) { return (formID >> 24) == 0xFF; }

// Eight upper-case hexadecimal digits; empty for 0.
std::string FormIDHex(std::uint32_t formID);
// The form's ID as above; empty when there is no form.
std::string FormIDHex(const host::Form* form);

// The leading part of the form's ID text that names its file: "FD05" for
// 0xFD05ABCD, "FE012" for 0xFE012345, "00" for 0x0001A2B3; empty for ID 0.
std::string FormIDPrefix(const host::Form* form);

}  // namespace Corvanis
