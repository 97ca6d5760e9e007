// How a data file's forms carry the file in their IDs, named after the
// file's compile index byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Corvanis {

enum class FileSlotKind : int {
    Full = 1,  // two hex digits compile index, six digits local ID
    FE = 2,    // FE, three digits FE index, three digits local ID
    FD = 3,    // FD, two digits FD index, four digits local ID
};

constexpr FileSlotKind FileSlotKindOf(std::uint8_t compileIndex) {
    if (compileIndex == 0xFE) return FileSlotKind::FE;
    if (compileIndex == 0xFD) return FileSlotKind::FD;
    return FileSlotKind::Full;
}

// How many leading characters of an eight-digit form ID text name the file.
constexpr std::size_t FilePrefixLength(FileSlotKind kind) {
    switch (kind) {
        case FileSlotKind::FE: return 5;
        case FileSlotKind::FD: return 4;
        case FileSlotKind::Full: break;
    }
    return 2;
}

}  // namespace Corvanis
