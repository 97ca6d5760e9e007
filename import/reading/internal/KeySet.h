// Hand-tuned: the multi-pattern key search that every line of a blueprint
// goes through. bench/README.md says what it bought.
//
// Contract: for any line, Find(line) has bit i set exactly when HasKey(line,
// key i) is true, and Which(text) is the key that may stand anywhere and is
// the whole text, or -1. Its plain oracle is HasKey asked once per key;
// tests/import/key_set_test.cpp checks the two against each other on
// generated lines.
//
// A table of keys and which of them a line carries, found in one pass over
// the line's key part: the readers test every line against a dozen keys, and
// a search per key per line would read each key part a dozen times.
//
// The keys follow HasKey's rule: a key that ends with " |" must end the key
// part of a line that has a value part; any other key may stand anywhere in
// the key part.
//
// Keys are found by four of their bytes, looked up in a table. Where every key
// is long, a window as wide as the shortest key moves along the key part and
// the last four bytes of the window are looked up (Wu and Manber's
// multi-pattern search): where no key holds those bytes near its start, the
// window jumps ahead, and only the keys that begin with them are compared
// where it stops. Where some key is short the jumps are too small to pay for
// the lookups they wait on, and every place a key could end at is looked up
// by the four bytes before it, one independent lookup each.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "import/reading/BlueprintLine.h"

namespace Corvanis {

class KeySet {
public:
    static constexpr std::size_t kMaxKeys = 64;
    static constexpr std::size_t kBlockSize = 4;
    using Mask = std::uint64_t;

    // Made while compiling, so that a table with a key shorter than a block
    // or more than kMaxKeys keys does not compile.
    consteval KeySet(std::initializer_list<std::string_view> keys) : KeySet(std::span(keys.begin(), keys.size())) {}
    consteval explicit KeySet(std::span<const std::string_view> keys) {
        for (const std::string_view key : keys) Add(key);
        MakeShifts();
    }

    // Bit i is set when the line carries key i (in the order given).
    Mask Find(const BlueprintLine& line) const;

    // The first key, in the order given, that the line carries; -1 for none.
    int First(const BlueprintLine& line) const {
        const Mask found = Find(line);
        return found == 0 ? -1 : std::countr_zero(found);
    }

    // The key that is the whole text, of those that may stand anywhere; -1
    // for none. One lookup by the text's last four bytes finds it.
    int Which(std::string_view text) const;

    constexpr std::size_t Size() const { return size_; }
    // A key as it is compared: one that must end the key part without its bar.
    constexpr std::string_view Key(std::size_t index) const { return keys_[index]; }

private:
    // Keys at least this long let the window jump far enough to pay.
    static constexpr std::size_t kSkippingWindow = 8;

    // The four bytes before `end` as one number, in the order a load from
    // memory gives them (Find loads them so).
    static constexpr std::uint32_t Block(const char* end) {
        static_assert(std::endian::native == std::endian::little);
        std::uint32_t block = 0;
        for (std::size_t i = 1; i <= kBlockSize; ++i) {
            block = block << 8 | static_cast<unsigned char>(end[-static_cast<std::ptrdiff_t>(i)]);
        }
        return block;
    }
    // Blocks share a slot now and then; the shift of a slot is then the
    // smallest of its blocks', and every key that may start there is compared.
    static constexpr std::size_t Slot(std::uint32_t block) { return (block * 0x9E3779B1u) >> 24; }

    Mask FindBySkipping(std::string_view keyPart) const;
    Mask FindAtEveryEnd(std::string_view keyPart) const;

    constexpr void Add(std::string_view key) {
        if (key.size() < kBlockSize || size_ == kMaxKeys) throw "a key set holds up to 64 keys of 4 bytes or more";
        const Mask bit = Mask{1} << size_;
        if (key.ends_with(" |")) {
            // What must end the key part: the key up to its bar, blank included.
            key.remove_suffix(1);
            endingKeyParts_ |= bit;
        } else {
            anywhere_ |= bit;
            window_ = std::min(window_, key.size());
        }
        keys_[size_++] = key;
    }

    constexpr void MakeShifts() {
        shifts_.fill(static_cast<std::uint8_t>(window_ - kBlockSize + 1));
        for (std::size_t k = 0; k < size_; ++k) {
            if ((anywhere_ >> k & 1) == 0) continue;
            const std::string_view key = keys_[k];
            endingWith_[Slot(Block(key.data() + key.size()))] |= Mask{1} << k;
            // A block that ends `end` bytes into a key's start lets the window
            // move only so far that the key's start is not passed.
            for (std::size_t end = kBlockSize; end <= window_; ++end) {
                std::uint8_t& shift = shifts_[Slot(Block(keys_[k].data() + end))];
                shift = std::min(shift, static_cast<std::uint8_t>(window_ - end));
            }
            startingWith_[Slot(Block(keys_[k].data() + window_))] |= Mask{1} << k;
        }
    }

    std::array<std::string_view, kMaxKeys> keys_{};
    std::size_t size_ = 0;
    Mask endingKeyParts_ = 0;
    Mask anywhere_ = 0;
    // The length of the shortest key that may stand anywhere.
    std::size_t window_ = 255;
    std::array<std::uint8_t, 256> shifts_{};
    // The keys that may stand anywhere, by the slot of their first window.
    std::array<Mask, 256> startingWith_{};
    // The same keys, by the slot of their last four bytes.
    std::array<Mask, 256> endingWith_{};
};

}  // namespace Corvanis
