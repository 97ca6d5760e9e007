// The readers that pull one value out of one blueprint line, each with its
// failure value. Keys, indices and values are read from the line's parts
// (BlueprintLine); a form reference is read from the end of the whole line.
// Numbers convert as the game's platform converts them (NumberConversion.h).
// No reader changes the line or throws.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/layouts/GameObjects.h"
#include "import/reading/BlueprintLine.h"
#include "import/reading/FormResolver.h"

namespace Corvanis {

// The value part, verbatim, blanks included: 'DisplayName |Alpha|Beta' gives
// 'Alpha|Beta', 'DecorItem[0].fPosX | 1.5' gives ' 1.5'. Empty when the line
// has no '|' or nothing after it.
std::string_view GetLineValue(const BlueprintLine& line);

// A form reference ends its line: '|', the file-local form ID in
// hexadecimal, '|', the data file's name (which holds no '|'). The form ID
// text is what stands between the line's last two '|'; empty when the line
// has fewer than two.
std::string_view GetFormIDText(const BlueprintLine& line);
// The data file's name: what follows the line's last '|', without blanks
// (spaces, tabs) around it; empty without one.
std::string_view GetFormFileName(const BlueprintLine& line);

// strtoul base 16 of a piece of text ("0x" allowed, 32-bit long): 0 when
// nothing converts or the value is out of range.
std::uint32_t ParseHexFormID(std::string_view text);

// The value part converted as strtof, strtol, strtoul or strtoull (base 10)
// convert it: blanks and a sign may come first, text after the number is
// ignored. True with the value stored on success. False with `value`
// untouched when the value part is empty, holds no number or is out of
// range; false with `value` set to 0 when the value part contains "inf" or
// "nan" (lower case: 'INF' converts).
bool ParseLineFloat(const BlueprintLine& line, float& value);
bool ParseLineInt32(const BlueprintLine& line, std::int32_t& value);
bool ParseLineUInt32(const BlueprintLine& line, std::uint32_t& value);
bool ParseLineUInt64(const BlueprintLine& line, std::uint64_t& value);

// ParseLineFloat's value when it is a finite number; false, with the target
// untouched, for an infinity or a NaN. Only the lower-case words are refused
// before strtof, which reads 'INF' and 'NaN' in any case, and the exporter
// writes such values as "inf" and "nan", which no import takes: a ship given
// one could never be imported from its own blueprint again.
bool ParseLineFiniteFloat(const BlueprintLine& line, float& value);

// The version of a version line: the text after the line's last ':' with
// every space removed, read as ParseLineFloat reads a value part.
bool ParseVersionValue(const BlueprintLine& line, float& value);

// The number between the key part's first '[' and its first ']' (strtol,
// base 10), or between its last '[' and its last ']' for the inner index of
// a list inside a list element. Without a '[' the number starts at the key
// part's start. -1 when there is no ']' after that start, nothing converts
// or the number is out of range; a negative number is returned as it is.
std::int32_t GetLineIndex(const BlueprintLine& line);
std::int32_t GetLineInnerIndex(const BlueprintLine& line);

// The index that the text between a key part's brackets gives: strtol base
// 10; -1 when nothing converts or the number is out of range.
std::int32_t ParseElementIndex(std::string_view digits);

// The form the line's form reference names, through the resolver; null when
// the line has no form ID text or no file name, the ID is 0 or does not
// convert, or the resolver knows no such form.
veltrane::Form* ResolveFormReference(const BlueprintLine& line, FormResolver& resolver);

}  // namespace Corvanis
