// The text of each kind of blueprint value. Every number is written the same
// way whatever the process's locale and on every build. Each writer puts the
// text at `out` and returns the end of what it wrote; the capacities say how
// much room it needs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Corvanis {

constexpr std::size_t kFloatValueCapacity = 64;
constexpr std::size_t kNumberValueCapacity = 24;
constexpr std::size_t kItemExtraValueCapacity = 16;
constexpr std::size_t RawBytesValueCapacity(std::size_t count) { return 2 * count; }

// F: the float widened to double with six decimals, as an exact printf "%f"
// in the "C" locale writes it ("0.100000", "-0.000000", "10000000.000000");
// "inf", "-inf", "nan", "-nan" for the values that are not finite.
char* WriteFloatValue(char* out, float value);
// U, B, Q: decimal digits.
char* WriteUnsignedValue(char* out, std::uint64_t value);
// I: decimal digits, '-' for negatives.
char* WriteSignedValue(char* out, std::int64_t value);
// T: the text's `length` bytes, with each carriage return and line feed
// written as a blank so that a value never ends its line early.
char* WriteTextValue(char* out, const char* text, std::size_t length);
// H: each byte in upper-case hexadecimal without leading zero, joined.
char* WriteRawBytesValue(char* out, const std::uint8_t* bytes, std::size_t count);
// The same with two digits for every byte: "0A" for 0x0A.
char* WriteRawBytesTwoDigitsValue(char* out, const std::uint8_t* bytes, std::size_t count);
// X: the identity of a container entry's extra data as upper-case
// hexadecimal, or "?" when the entry has none.
char* WriteItemExtraValue(char* out, const void* itemExtra);

}  // namespace Corvanis
