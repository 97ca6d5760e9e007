// The lines of a blueprint's bytes, in file order, for a range-for:
//     for (const BlueprintLine& line : BlueprintLines(bytes)) ...
// A line ends at LF or at CR LF; a lone CR and every other byte (0x1A
// included) belong to the line. A last line without a line end is a line;
// nothing after the last line end is not. A UTF-8 byte-order mark at the
// start is skipped. Lines are numbered from 1 and are views into `bytes`,
// which must outlive them.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "import/reading/BlueprintLine.h"

namespace Corvanis {

class BlueprintLines {
public:
    explicit BlueprintLines(std::string_view bytes) : bytes_(bytes) {}

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = BlueprintLine;
        using difference_type = std::ptrdiff_t;
        using pointer = const BlueprintLine*;
        using reference = const BlueprintLine&;

        Iterator() = default;
        explicit Iterator(std::string_view bytes);

        reference operator*() const { return line_; }
        pointer operator->() const { return &line_; }
        Iterator& operator++();
        void operator++(int) { ++*this; }
        friend bool operator==(const Iterator& it, std::default_sentinel_t) { return it.atEnd_; }

    private:
        const char* next_ = nullptr;
        const char* end_ = nullptr;
        BlueprintLine line_;
        std::size_t number_ = 0;
        bool atEnd_ = true;
    };

    Iterator begin() const { return Iterator(bytes_); }
    std::default_sentinel_t end() const { return {}; }

private:
    std::string_view bytes_;
};

}  // namespace Corvanis
