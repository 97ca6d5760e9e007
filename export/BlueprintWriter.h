#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace Corvanis {

// Writes blueprint lines to an open file: each line ends with CR LF, on
// every platform. Lines gather in a buffer that goes to the file in large
// pieces; a piece that cannot be written marks the writer failed, and
// nothing is written after it.
//
// A data line is a key, " |" and a value; the key is given in two parts (a
// prefix such as "Blueprint.data[3" and the rest such as "].fPosX |") so
// that list elements build their prefix once.
class BlueprintWriter {
public:
    BlueprintWriter(platform::FileSystem& files, platform::FileHandle file);

    void Append(std::string_view bytes) { buffer_ += bytes; }
    void AppendText(const char* text);
    void EndLine();

    void Line(std::string_view prefix, std::string_view rest, std::string_view value);
    void FloatLine(std::string_view prefix, std::string_view rest, float value);
    void UnsignedLine(std::string_view prefix, std::string_view rest, std::uint64_t value);
    void SignedLine(std::string_view prefix, std::string_view rest, std::int64_t value);
    void TextLine(std::string_view prefix, std::string_view rest, const char* text);
    void RawBytesLine(std::string_view prefix, std::string_view rest, const std::uint8_t* bytes, std::size_t count);
    void ItemExtraLine(std::string_view prefix, std::string_view rest, const void* itemExtra);
    // A key alone, without separator and value.
    void PresenceLine(std::string_view prefix, std::string_view rest);

    // Writes what the buffer holds. False once any write failed.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    void Key(std::string_view prefix, std::string_view rest);

    platform::FileSystem& files_;
    platform::FileHandle file_;
    std::string buffer_;
    bool failed_ = false;
};

// "prefix" followed by the index in decimal: "Blueprint.data[3".
std::string IndexedKey(std::string_view prefix, std::size_t index);

}  // namespace Corvanis
