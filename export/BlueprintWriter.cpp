#include "export/BlueprintWriter.h"

#include <cstring>

#include "export/BlueprintValues.h"
#include "forms/FormReference.h"

namespace Corvanis {

namespace {

// Large enough that a ship of thousands of items takes few writes, small
// enough that a write failure is noticed in the section it happened in.
constexpr std::size_t kFlushSize = 64 * 1024;
constexpr std::size_t kLineEndSize = 2;

char* Copy(char* out, std::string_view bytes) {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

}  // namespace

BlueprintWriter::BlueprintWriter(platform::FileSystem& files, platform::FileHandle file)
    : files_(files), file_(file), buffer_(2 * kFlushSize) {}

char* BlueprintWriter::Room(std::size_t bytes) {
    if (used_ + bytes > buffer_.size()) {
        Flush();
        if (bytes > buffer_.size()) buffer_.resize(bytes);
    }
    return buffer_.data() + used_;
}

char* BlueprintWriter::Key(std::string_view prefix, std::string_view rest, std::size_t valueCapacity) {
    char* out = Room(prefix.size() + rest.size() + valueCapacity + kLineEndSize);
    return Copy(Copy(out, prefix), rest);
}

void BlueprintWriter::FinishLine(char* end) {
    *end++ = '\r';
    *end++ = '\n';
    used_ = static_cast<std::size_t>(end - buffer_.data());
    if (used_ >= kFlushSize) Flush();
}

void BlueprintWriter::Append(std::string_view bytes) {
    char* end = Copy(Room(bytes.size() + kLineEndSize), bytes);
    used_ = static_cast<std::size_t>(end - buffer_.data());
}

void BlueprintWriter::AppendText(std::string_view text) {
    char* end = WriteTextValue(Room(text.size() + kLineEndSize), text.data(), text.size());
    used_ = static_cast<std::size_t>(end - buffer_.data());
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
    if (!failed_ && used_ > 0 && !files_.Write(file_, buffer_.data(), used_)) failed_ = true;
    used_ = 0;
    return !failed_;
}

std::string IndexedKey(std::string_view prefix, std::size_t index) {
    char digits[kNumberValueCapacity];
    const char* end = WriteUnsignedValue(digits, index);
    std::string key(prefix);
    key.append(digits, static_cast<std::size_t>(end - digits));
    return key;
}

}  // namespace Corvanis
