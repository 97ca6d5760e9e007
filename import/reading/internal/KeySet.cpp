#include "import/reading/internal/KeySet.h"

#include <cstring>

namespace Corvanis {

namespace {

// KeySet::Block with one load.
std::uint32_t LoadBlock(const char* end) {
    std::uint32_t block;
    std::memcpy(&block, end - KeySet::kBlockSize, sizeof block);
    return block;
}

// Whether the text holds the key at `start`. Keys are a few dozen bytes: a
// loop is cheaper than a call into the C library.
bool HoldsAt(std::string_view text, std::size_t start, std::string_view key) {
    if (start > text.size() || key.size() > text.size() - start) return false;
    const char* at = text.data() + start;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (at[i] != key[i]) return false;
    }
    return true;
}

// Whether two texts of `size` bytes, from sizeof(Word) to twice that, are
// equal: their first and their last sizeof(Word) bytes, which overlap.
template <class Word>
bool EqualEnds(const char* a, const char* b, std::size_t size) {
    Word firstA, firstB, lastA, lastB;
    std::memcpy(&firstA, a, sizeof(Word));
    std::memcpy(&firstB, b, sizeof(Word));
    std::memcpy(&lastA, a + size - sizeof(Word), sizeof(Word));
    std::memcpy(&lastB, b + size - sizeof(Word), sizeof(Word));
    return ((firstA ^ firstB) | (lastA ^ lastB)) == 0;
}

// Whether two texts of `size` bytes are equal. Up to 16 bytes without a loop,
// whose end, at another length for nearly every line, was mispredicted.
bool EqualBytes(const char* a, const char* b, std::size_t size) {
    if (size >= 4 && size <= 8) return EqualEnds<std::uint32_t>(a, b, size);
    if (size >= 8 && size <= 16) return EqualEnds<std::uint64_t>(a, b, size);
    return std::memcmp(a, b, size) == 0;
}

}  // namespace

KeySet::Mask KeySet::Find(const BlueprintLine& line) const {
    const std::string_view keyPart = line.KeyPart();
    Mask found = 0;
    if (line.HasSeparator()) {
        for (Mask ending = endingKeyParts_; ending != 0; ending &= ending - 1) {
            const int k = std::countr_zero(ending);
            if (keyPart.size() >= keys_[k].size() && HoldsAt(keyPart, keyPart.size() - keys_[k].size(), keys_[k])) {
                found |= Mask{1} << k;
            }
        }
    }
    if (anywhere_ == 0) return found;
    return found | (window_ >= kSkippingWindow ? FindBySkipping(keyPart) : FindAtEveryEnd(keyPart));
}

KeySet::Mask KeySet::FindBySkipping(std::string_view keyPart) const {
    Mask found = 0;
    Mask pending = anywhere_;
    for (std::size_t start = 0; start + window_ <= keyPart.size() && pending != 0;) {
        const std::size_t slot = Slot(LoadBlock(keyPart.data() + start + window_));
        if (const std::uint8_t shift = shifts_[slot]; shift != 0) {
            start += shift;
            continue;
        }
        for (Mask candidates = startingWith_[slot] & pending; candidates != 0; candidates &= candidates - 1) {
            const int k = std::countr_zero(candidates);
            if (HoldsAt(keyPart, start, keys_[k])) {
                found |= Mask{1} << k;
                pending &= ~(Mask{1} << k);
            }
        }
        ++start;
    }
    return found;
}

KeySet::Mask KeySet::FindAtEveryEnd(std::string_view keyPart) const {
    Mask found = 0;
    for (std::size_t end = kBlockSize; end <= keyPart.size(); ++end) {
        for (Mask candidates = endingWith_[Slot(LoadBlock(keyPart.data() + end))] & ~found; candidates != 0;
             candidates &= candidates - 1) {
            const int k = std::countr_zero(candidates);
            if (end >= keys_[k].size() && HoldsAt(keyPart, end - keys_[k].size(), keys_[k])) found |= Mask{1} << k;
        }
    }
    return found;
}

int KeySet::Which(std::string_view text) const {
    if (text.size() < kBlockSize) return -1;
    for (Mask candidates = endingWith_[Slot(LoadBlock(text.data() + text.size()))]; candidates != 0;
         candidates &= candidates - 1) {
        const int k = std::countr_zero(candidates);
        if (keys_[k].size() == text.size() && EqualBytes(keys_[k].data(), text.data(), text.size())) return k;
    }
    return -1;
}

}  // namespace Corvanis
