#include "import/reading/BlueprintLines.h"

#include <cstring>

namespace Corvanis {

namespace {

// Some editors begin a UTF-8 file with the byte-order mark; it is no part of
// the first line.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    return bytes;
}

}  // namespace

BlueprintLines::Iterator::Iterator(std::string_view bytes)
    : next_(WithoutByteOrderMark(bytes).data()), end_(bytes.data() + bytes.size()) {
    ++*this;
}

BlueprintLines::Iterator& BlueprintLines::Iterator::operator++() {
    atEnd_ = next_ == end_;
    if (atEnd_) return *this;
    const auto* lineFeed = static_cast<const char*>(std::memchr(next_, '\n', static_cast<std::size_t>(end_ - next_)));
    const char* lineEnd = lineFeed != nullptr ? lineFeed : end_;
    std::string_view text(next_, static_cast<std::size_t>(lineEnd - next_));
    if (lineFeed != nullptr && text.ends_with('\r')) text.remove_suffix(1);
    line_ = BlueprintLine(text, ++number_);
    next_ = lineFeed != nullptr ? lineFeed + 1 : end_;
    return *this;
}

}  // namespace Corvanis
