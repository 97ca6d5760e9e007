#include "export/BlueprintWriter.h"

#include "export/BlueprintValues.h"

namespace Corvanis {

namespace {

// Large enough that a ship of thousands of items takes few writes, small
// enough that a write failure is noticed in the section it happened in.
constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

BlueprintWriter::BlueprintWriter(platform::FileSystem& files, platform::FileHandle file)
    : files_(files), file_(file) {
    buffer_.reserve(kFlushSize + 1024);
}

void BlueprintWriter::AppendText(const char* text) { AppendTextValue(buffer_, text); }

void BlueprintWriter::EndLine() {
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushSize) Flush();
}

void BlueprintWriter::Key(std::string_view prefix, std::string_view rest) {
    buffer_ += prefix;
    buffer_ += rest;
}

void BlueprintWriter::Line(std::string_view prefix, std::string_view rest, std::string_view value) {
    Key(prefix, rest);
    buffer_ += value;
    EndLine();
}

void BlueprintWriter::FloatLine(std::string_view prefix, std::string_view rest, float value) {
    Key(prefix, rest);
    AppendFloatValue(buffer_, value);
    EndLine();
}

void BlueprintWriter::UnsignedLine(std::string_view prefix, std::string_view rest, std::uint64_t value) {
    Key(prefix, rest);
    AppendUnsignedValue(buffer_, value);
    EndLine();
}

void BlueprintWriter::SignedLine(std::string_view prefix, std::string_view rest, std::int64_t value) {
    Key(prefix, rest);
    AppendSignedValue(buffer_, value);
    EndLine();
}

void BlueprintWriter::TextLine(std::string_view prefix, std::string_view rest, const char* text) {
    Key(prefix, rest);
    AppendTextValue(buffer_, text);
    EndLine();
}

void BlueprintWriter::RawBytesLine(std::string_view prefix, std::string_view rest, const std::uint8_t* bytes,
                                   std::size_t count) {
    Key(prefix, rest);
    AppendRawBytesValue(buffer_, bytes, count);
    EndLine();
}

void BlueprintWriter::ItemExtraLine(std::string_view prefix, std::string_view rest, const void* itemExtra) {
    Key(prefix, rest);
    AppendItemExtraValue(buffer_, itemExtra);
    EndLine();
}

void BlueprintWriter::PresenceLine(std::string_view prefix, std::string_view rest) {
    Key(prefix, rest);
    EndLine();
}

bool BlueprintWriter::Flush() {
    if (!failed_ && !buffer_.empty() && !files_.Write(file_, buffer_.data(), buffer_.size())) failed_ = true;
    buffer_.clear();
    return !failed_;
}

std::string IndexedKey(std::string_view prefix, std::size_t index) {
    std::string key(prefix);
    AppendUnsignedValue(key, index);
    return key;
}

}  // namespace Corvanis
