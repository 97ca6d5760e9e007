#pragma once

namespace Corvanis {

// What a blueprint reader made of one line.
enum class LineVerdict {
    Read,     // a value of the line is in what the reader fills
    NotRead,  // the line carries no key of this reader, or one whose value the reader leaves unused
    Refused,  // the line must stop an import: the error says why
};

}  // namespace Corvanis
