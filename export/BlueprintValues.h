// The text of each kind of blueprint value, appended to a line. Every number
// is written the same way whatever the process's locale and on every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Corvanis {

// F: the float widened to double with six decimals, as an exact printf "%f"
// in the "C" locale writes it ("0.100000", "-0.000000", "10000000.000000");
// "inf", "-inf", "nan", "-nan" for the values that are not finite.
void AppendFloatValue(std::string& out, float value);
// U, B, Q: decimal digits.
void AppendUnsignedValue(std::string& out, std::uint64_t value);
// I: decimal digits, '-' for negatives.
void AppendSignedValue(std::string& out, std::int64_t value);
// T: the text's bytes, with each carriage return and line feed written as a
// blank so that a value never ends its line early. Null is the empty text.
void AppendTextValue(std::string& out, const char* text);
// H: each byte in upper-case hexadecimal without leading zero, joined.
void AppendRawBytesValue(std::string& out, const std::uint8_t* bytes, std::size_t count);
// X: the identity of a container entry's extra data as upper-case
// hexadecimal, or "?" when the entry has none.
void AppendItemExtraValue(std::string& out, const void* itemExtra);

}  // namespace Corvanis
