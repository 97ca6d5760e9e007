// Hand-tuned: the short way to a list element's index and field for the
// key parts the exporter writes, asked of every line the readers read.
// bench/README.md says what it bought.
//
// Contract: a line that the short way splits is read as the general way
// reads it (the key set's search anywhere in the key part, then
// GetLineIndex): the same verdict, refusal and values. Where it gives true
// for a key part that starts with a marker holding no other bracket, the
// index is the one GetLineIndex reads. Its plain oracle is that general way;
// tests/import/exported_keys_test.cpp reads generated exporter lines both
// ways and compares every reading.
#pragma once

#include <cstdint>
#include <string_view>

#include "import/reading/LineReaders.h"

namespace Corvanis {

// A key part as the exporter writes a field of a list's element: the list's
// marker (its name up to and with its '[', "DecorItem["), the element's index
// in decimal digits, ']', the field's name and at most one blank.
struct ElementKey {
    std::string_view field;
    std::int32_t index;
};

// False, with `key` untouched, for every other key part. Inline, so that the
// marker, a constant at every call, is compared in place rather than by a call
// into the C library.
inline bool SplitExportedElementKey(std::string_view keyPart, std::string_view marker, ElementKey& key) {
    if (!keyPart.starts_with(marker)) return false;
    // Nine digits or fewer are a number in range, which strtol reads so; the
    // general conversion is left for the longer ones.
    constexpr std::size_t kDigitsInRange = 9;
    std::size_t at = marker.size();
    std::uint64_t number = 0;
    for (; at < keyPart.size() && keyPart[at] >= '0' && keyPart[at] <= '9'; ++at) {
        number = number * 10 + static_cast<std::uint64_t>(keyPart[at] - '0');
    }
    if (at == marker.size() || at == keyPart.size() || keyPart[at] != ']') return false;
    std::string_view field = keyPart.substr(at + 1);
    if (field.ends_with(' ')) field.remove_suffix(1);
    const std::string_view digits = keyPart.substr(marker.size(), at - marker.size());
    key = {field, digits.size() <= kDigitsInRange ? static_cast<std::int32_t>(number) : ParseElementIndex(digits)};
    return true;
}

}  // namespace Corvanis
