#include "import/reading/BlueprintLines.h"

#include <cstring>

namespace Corvanis {

BlueprintLines::Iterator::Iterator(std::string_view bytes) : next_(bytes.data()), end_(bytes.data() + bytes.size()) {
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
