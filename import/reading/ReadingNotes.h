// What the game reads differently from what a blueprint's line says: hand
// edits that an import takes without refusing them, but not as the player
// meant. The readers note each as they read it; the imports print one
// warning a kind, and a checking tool warns of each line. Kept here, beside
// the readers, so that the game and the tool can never tell them apart
// differently.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/reading/BlueprintLine.h"

namespace Corvanis {

enum class NoteKind {
    TextAfterNumber,     // "1,5" is read as 1
    NotHexFormID,        // "0A3O02" is read as 0000A3
    MissingItemField,    // a decoration item without a position, rotation or scale line is given 0
    ScaleClamped,        // a scale the game cannot hold is taken as the nearest it holds
};

struct ReadingNote {
    NoteKind kind;
    std::size_t lineNumber;
    // "DecorItem[0].fPosX |1,5 is read as 1": the line, and what the game takes.
    std::string text;
};

// How the numbers of the kind of value a reader reads convert.
enum class NumberKind { Float, Integer };

// The game holds a reference's scale in whole hundredths from 0 to 65535.
inline constexpr float kLargestScale = 655.35f;

class ReadingNotes {
public:
    // Each is called for a line a reader took, and notes it only when the
    // game takes it otherwise than it says. A number with other text after
    // it (blanks aside):
    void NumberRead(const BlueprintLine& line, NumberKind kind);
    // A form reference whose ID text holds a character that is no
    // hexadecimal digit after the digits read:
    void FormReferenceRead(const BlueprintLine& line);
    // A decoration item's scale beyond what the game holds:
    void ScaleRead(const BlueprintLine& line, float scale);
    // A decoration item, noted at its base line, without the lines of the
    // fields ("fPosY", or "fPosY, fScale"); always noted.
    void FieldsMissing(const BlueprintLine& baseLine, std::size_t index, std::string_view fields, bool several);

    const std::vector<ReadingNote>& Notes() const { return notes_; }

private:
    void Add(NoteKind kind, const BlueprintLine& line, std::string text);

    std::vector<ReadingNote> notes_;
};

// The form ID the game looks for when the line's form ID text holds a
// character that is no hexadecimal digit after its digits ("0000A3" for
// "0A3O02"); empty when the text says what the game reads.
std::string FormLookedFor(const BlueprintLine& line);

// The import's console warnings: one line a kind of note, counting its notes
// and naming the first, "ImportShipInterior: WARNING: 3 lines hold ...".
std::vector<std::string> NoteWarningLines(const ReadingNotes& notes, std::string_view commandPrefix);

}  // namespace Corvanis
