#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "export/BlueprintValues.h"
#include "host/host.h"
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

    void Append(std::string_view bytes);
    // A text value: line breaks inside it are written as blanks.
    void AppendText(std::string_view text);
    void EndLine();

    void Line(std::string_view prefix, std::string_view rest, std::string_view value);
    void FloatLine(std::string_view prefix, std::string_view rest, float value);
    void UnsignedLine(std::string_view prefix, std::string_view rest, std::uint64_t value);
    void SignedLine(std::string_view prefix, std::string_view rest, std::int64_t value);
    void TextLine(std::string_view prefix, std::string_view rest, std::string_view text);
    void RawBytesLine(std::string_view prefix, std::string_view rest, const std::uint8_t* bytes, std::size_t count);
    // Each byte with two digits, leading zero included: a text that reads
    // back into its bytes.
    void RawBytesTwoDigitsLine(std::string_view prefix, std::string_view rest, const std::uint8_t* bytes,
                               std::size_t count);
    void ItemExtraLine(std::string_view prefix, std::string_view rest, const void* itemExtra);
    // A key alone, without separator and value.
    void PresenceLine(std::string_view prefix, std::string_view rest);
    // The form's reference text as the value; false, and nothing written,
    // when the form has no home file.
    bool FormLine(std::string_view prefix, std::string_view rest, const host::Form* form);

    // Writes what the buffer holds. False once any write failed.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    // Room for `bytes` more at the end of the buffer, which is written out
    // first when it is short of room.
    char* Room(std::size_t bytes);
    char* MakeRoom(std::size_t bytes);
    void UseBuffer(std::size_t capacity);
    void WritePiece();
    char* Key(std::string_view prefix, std::string_view rest, std::size_t valueCapacity);
    void FinishLine(char* end);

    platform::FileSystem& files_;
    platform::FileHandle file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    char* next_ = nullptr;
    // Lines gather until the buffer holds this many bytes.
    std::size_t pieceSize_;
    bool failed_ = false;
    // A ship names the same forms again and again, the bases of its items
    // above all; each form's text is worked out once.
    std::unordered_map<const host::Form*, std::optional<std::string>> references_;
};

// A key up to a list element's index, "Blueprint.data[3": the prefix of all
// the element's lines. It lives on the stack, as an export names tens of
// thousands of list elements.
class IndexedKey {
public:
    template <std::size_t N>
    IndexedKey(const char (&prefix)[N], std::size_t index) {
        static_assert(N - 1 <= kMaxPartSize);
        Append({prefix, N - 1});
        AppendIndex(index);
    }

    // An element of a list inside a list element: the outer element's key,
    // "].traversals[" and the index.
    template <std::size_t N>
    IndexedKey(const IndexedKey& outer, const char (&middle)[N], std::size_t index) {
        static_assert(N - 1 <= kMaxPartSize);
        Append(outer);
        Append({middle, N - 1});
        AppendIndex(index);
    }

    // Only the key's own characters are ever read; the rest of its room is
    // left as it was found, and never copied.
    IndexedKey(const IndexedKey&) = delete;
    IndexedKey& operator=(const IndexedKey&) = delete;

    operator std::string_view() const { return {text_.data(), size_}; }

private:
    static constexpr std::size_t kMaxPartSize = 44;

    // A key nested deeper than two lists would be cut short, never written
    // past the end.
    void Append(std::string_view part);
    void AppendIndex(std::size_t index);

    std::array<char, 2 * (kMaxPartSize + kNumberValueCapacity)> text_;
    std::size_t size_ = 0;
};

}  // namespace Corvanis
