#include "export/BlueprintWriter.h"

#include <algorithm>
#include <cstring>

#include "forms/FormReference.h"

namespace Corvanis {

namespace {

// The first piece is small, so that a disk that is already full stops the
// export early, in the section being written. Later pieces double up to a
// limit: a system stores a few large writes much faster than many small ones.
constexpr std::size_t kFirstPieceSize = 64 * 1024;
constexpr std::size_t kLargestPieceSize = 1024 * 1024;
constexpr std::size_t kLineEndSize = 2;

template <std::size_t N>
inline void MoveBlock(char* out, const char* from) {
    std::memcpy(out, from, N);
}

// Keys and their parts are a few dozen bytes: two overlapping moves of a
// fixed size, which compilers turn into a handful of instructions, beat a
// call into the C library, which costs more than the copy itself.
template <std::size_t N>
inline void MoveOverlapping(char* out, const char* from, std::size_t size) {
    MoveBlock<N>(out, from);
    MoveBlock<N>(out + size - N, from + size - N);
}

inline char* Copy(char* out, std::string_view bytes) {
    const char* from = bytes.data();
    const std::size_t size = bytes.size();
    if (size >= 16) {
        if (size <= 32) {
            MoveOverlapping<16>(out, from, size);
        } else if (size <= 64) {
            MoveOverlapping<32>(out, from, size);
        } else {
            std::memcpy(out, from, size);
        }
    } else if (size >= 8) {
        MoveOverlapping<8>(out, from, size);
    } else if (size >= 4) {
        MoveOverlapping<4>(out, from, size);
    } else if (size > 0) {
        out[0] = from[0];
        out[size / 2] = from[size / 2];
        out[size - 1] = from[size - 1];
    }
    return out + size;
}

}  // namespace

BlueprintWriter::BlueprintWriter(platform::FileSystem& files, platform::FileHandle file)
    : files_(files), file_(file), pieceSize_(kFirstPieceSize) {
    UseBuffer(2 * kFirstPieceSize);
}

void BlueprintWriter::UseBuffer(std::size_t capacity) {
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity);
    capacity_ = capacity;
    next_ = buffer_.get();
}

inline char* BlueprintWriter::Room(std::size_t bytes) {
    if (static_cast<std::size_t>(buffer_.get() + capacity_ - next_) >= bytes) return next_;
    return MakeRoom(bytes);
}

char* BlueprintWriter::MakeRoom(std::size_t bytes) {
    Flush();
    if (bytes > capacity_) UseBuffer(bytes);
    return next_;
}

// The buffer holds two pieces, so that the line that completes a piece
// finds room behind it without a write of its own.
void BlueprintWriter::WritePiece() {
    Flush();
    pieceSize_ = std::min(2 * pieceSize_, kLargestPieceSize);
    if (capacity_ < 2 * pieceSize_) UseBuffer(2 * pieceSize_);
}

inline char* BlueprintWriter::Key(std::string_view prefix, std::string_view rest, std::size_t valueCapacity) {
    char* out = Room(prefix.size() + rest.size() + valueCapacity + kLineEndSize);
    return Copy(Copy(out, prefix), rest);
}

inline void BlueprintWriter::FinishLine(char* end) {
    MoveBlock<kLineEndSize>(end, "\r\n");
    next_ = end + kLineEndSize;
    if (next_ >= buffer_.get() + pieceSize_) WritePiece();
}

void BlueprintWriter::Append(std::string_view bytes) { next_ = Copy(Room(bytes.size() + kLineEndSize), bytes); }

void BlueprintWriter::AppendText(std::string_view text) {
    next_ = WriteTextValue(Room(text.size() + kLineEndSize), text.data(), text.size());
}

void BlueprintWriter::EndLine() { FinishLine(Room(kLineEndSize)); }

void BlueprintWriter::Line(std::string_view prefix, std::string_view rest, std::string_view value) {
    FinishLine(Copy(Key(prefix, rest, value.size()), value));
}

void BlueprintWriter::FloatLine(std::string_view prefix, std::string_view rest, float value) {
    FinishLine(WriteFloatValue(Key(prefix, rest, kFloatValueCapacity), value));
}

void BlueprintWriter::UnsignedLine(std::string_view prefix, std::string_view rest, std::uint64_t value) {
    FinishLine(WriteUnsignedValue(Key(prefix, rest, kNumberValueCapacity), value));
}

void BlueprintWriter::SignedLine(std::string_view prefix, std::string_view rest, std::int64_t value) {
    FinishLine(WriteSignedValue(Key(prefix, rest, kNumberValueCapacity), value));
}

void BlueprintWriter::TextLine(std::string_view prefix, std::string_view rest, std::string_view text) {
    FinishLine(WriteTextValue(Key(prefix, rest, text.size()), text.data(), text.size()));
}

void BlueprintWriter::RawBytesLine(std::string_view prefix, std::string_view rest, const std::uint8_t* bytes,
                                   std::size_t count) {
    FinishLine(WriteRawBytesValue(Key(prefix, rest, RawBytesValueCapacity(count)), bytes, count));
}

void BlueprintWriter::RawBytesTwoDigitsLine(std::string_view prefix, std::string_view rest,
                                            const std::uint8_t* bytes, std::size_t count) {
    FinishLine(WriteRawBytesTwoDigitsValue(Key(prefix, rest, RawBytesValueCapacity(count)), bytes, count));
}

void BlueprintWriter::ItemExtraLine(std::string_view prefix, std::string_view rest, const void* itemExtra) {
    FinishLine(WriteItemExtraValue(Key(prefix, rest, kItemExtraValueCapacity), itemExtra));
}

void BlueprintWriter::PresenceLine(std::string_view prefix, std::string_view rest) { FinishLine(Key(prefix, rest, 0)); }

bool BlueprintWriter::FormLine(std::string_view prefix, std::string_view rest, const host::Form* form) {
    auto found = references_.find(form);
    if (found == references_.end()) found = references_.emplace(form, FormReferenceText(form)).first;
    if (!found->second) return false;
    Line(prefix, rest, *found->second);
    return true;
}

bool BlueprintWriter::Flush() {
    const auto used = static_cast<std::size_t>(next_ - buffer_.get());
    if (!failed_ && used > 0 && !files_.Write(file_, buffer_.get(), used)) failed_ = true;
    next_ = buffer_.get();
    return !failed_;
}

void IndexedKey::Append(std::string_view part) {
    const std::size_t size = std::min(part.size(), text_.size() - size_);
    Copy(text_.data() + size_, part.substr(0, size));
    size_ += size;
}

void IndexedKey::AppendIndex(std::size_t index) {
    char digits[kNumberValueCapacity];
    Append({digits, static_cast<std::size_t>(WriteUnsignedValue(digits, index) - digits)});
}

}  // namespace Corvanis
