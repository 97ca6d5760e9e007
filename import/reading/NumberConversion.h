// Numbers read from text as the game's platform reads them: the C library's
// strtol, strtoul, strtoull and strtof on 64-bit Windows, where long has 32
// bits, in the "C" locale, whatever locale this process is in, on every
// build. A text is read as those routines read it: blanks first (space, \t,
// \n, \v, \f, \r), then an optional sign, then as much of a number as there
// is; whatever follows is left unread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Corvanis {

enum class ConversionStatus {
    Converted,
    NothingConverted,  // no number at the start of the text
    OutOfRange,        // the routine's range error (errno ERANGE)
};

struct ConversionResult {
    ConversionStatus status;
    // The characters read, where the routine's end pointer would stand: 0
    // when nothing converted, past the number also when it is out of range.
    std::size_t length;
};

// strtol with a 32-bit long, base 10 or 16 (then after "0x" or "0X" when a
// hexadecimal digit follows). Beyond -2147483648 to 2147483647 is a range
// error. `value` is set only when the text converted.
ConversionResult ConvertLong(std::string_view text, int base, std::int32_t& value);

// strtoul with a 32-bit long: a magnitude beyond 4294967295 is a range
// error, and a leading '-' negates in 32 bits ("-1" gives 4294967295).
ConversionResult ConvertUnsignedLong(std::string_view text, int base, std::uint32_t& value);

// strtoull: as strtoul, in 64 bits.
ConversionResult ConvertUnsignedLongLong(std::string_view text, int base, std::uint64_t& value);

// strtof: decimal with an optional exponent, hexadecimal ("0x1.8p3", the
// exponent optional), and INF, INFINITY, NAN and NAN(chars) in any case,
// correctly rounded. A value beyond the largest float is a range error; so is
// a number with a non-zero digit that comes out zero or subnormal.
ConversionResult ConvertFloat(std::string_view text, float& value);

}  // namespace Corvanis
