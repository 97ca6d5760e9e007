// Why a reader refuses a line, in a player's words: the game's console and
// the checking tool say the same of the same line.
#pragma once

#include <string>

#include "import/reading/BlueprintLine.h"
#include "import/reading/FormResolver.h"

namespace Corvanis {

inline constexpr const char* kNotANumberReason = "the value is not a number";
inline constexpr const char* kNotAWholeNumberReason = "the value is not a whole number that the field holds";
inline constexpr const char* kNoSuchElementReason =
    "the index is neither the next element's nor an earlier element's";
inline constexpr const char* kNotPlaceableReason = "the form is not a thing that can be placed";
inline constexpr const char* kFormOfOtherKindReason = "the form is not of the kind this line needs";
inline constexpr const char* kEmptyValueReason = "the value is empty";
inline constexpr const char* kNotBackupBytesReason = "the value is not two hexadecimal digits for each byte";

// Why the line's form reference finds no form: it is none (no form ID and
// data file), its data file is not loaded, or the file holds no such form.
const char* UnresolvedFormReason(const BlueprintLine& line, FormResolver& forms);

// The reason a reader gave for refusing the line, with the form the game
// looked for when the line's form ID is mistyped with a character that is
// no hexadecimal digit ("0A3O02" is looked for as 0000A3): often the very
// cause of the refusal.
std::string ExplainedRefusal(const char* reason, const BlueprintLine& line);

}  // namespace Corvanis
