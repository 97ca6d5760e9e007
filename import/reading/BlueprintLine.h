// One line of a blueprint as the readers see it: a view into the file's
// bytes, without its line end. The line is split at its first '|': the key
// part before it names what the line sets, the value part after it is the
// value, verbatim. A line without '|' is all key part. Keys and indices are
// looked for in the key part only, so no text a player gives (a ship's name,
// an item's name) can act as a key.
#pragma once

#include <cstddef>
#include <string_view>

#include "format/BackupLines.h"

namespace Corvanis {

class BlueprintLine {
public:
    BlueprintLine() = default;
    // `number` is the line's place in its file, counted from 1; 0 for a line
    // that comes from no file.
    // Inline, so that stepping through a file's lines builds each line in
    // place rather than copying it back from a call.
    explicit BlueprintLine(std::string_view text, std::size_t number = 0)
        : text_(text), separator_(text.find('|')), number_(number) {}

    // The whole line.
    std::string_view Text() const { return text_; }
    std::string_view KeyPart() const { return text_.substr(0, separator_); }
    // Empty when the line has no '|' or nothing after it.
    std::string_view ValuePart() const { return HasSeparator() ? text_.substr(separator_ + 1) : std::string_view(); }
    bool HasSeparator() const { return separator_ != std::string_view::npos; }
    std::size_t Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t separator_ = std::string_view::npos;
    std::size_t number_ = 0;
};

// Whether the line carries the key, as the importers' key tables write it.
// A key that ends with " |" ("DisplayName |", "].traversal |") must end the
// key part of a line that has a value part; any other key ("QRNKeywordForm[",
// ".fPosX") may stand anywhere in the key part. Case-sensitive.
bool HasKey(const BlueprintLine& line, std::string_view key);

// The version line begins with "Version:".
bool IsVersionLine(const BlueprintLine& line);

// The header's ship line begins with "Ship: " and goes on with the ship's
// name, which may hold anything, keys and bars included, before the line's
// first '|'. No reader reads it. Inline: asked of every line.
inline bool IsShipLine(const BlueprintLine& line) { return line.Text().starts_with("Ship: "); }

// What a backup's header line says it is a backup of; None for every other
// line.
BackupKind BackupLineKind(const BlueprintLine& line);

}  // namespace Corvanis
