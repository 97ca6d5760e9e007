// Run-time form IDs follow the load order: the top bits name the file's slot,
// the rest is the form's ID inside its file. The same file-local form gets
// another ID under another load order.
#pragma once

#include <cstdint>
#include <optional>

namespace sim {

enum class FileSlot : std::uint8_t { Full, Small, Medium };

constexpr std::uint8_t kSmallSlotByte = 0xFE;
constexpr std::uint8_t kMediumSlotByte = 0xFD;
constexpr std::uint8_t kRuntimeByte = 0xFF;

constexpr std::uint32_t kMaxFullFiles = 0xFD;   // compile indices 00 .. FC
constexpr std::uint32_t kMaxSmallFiles = 0x1000;
constexpr std::uint32_t kMaxMediumFiles = 0x100;

// The largest file-local ID a file of the slot can hold.
constexpr std::uint32_t LocalIDMask(FileSlot slot) {
    switch (slot) {
        case FileSlot::Full: return 0xFFFFFF;
        case FileSlot::Small: return 0xFFF;
        case FileSlot::Medium: return 0xFFFF;
    }
    return 0;
}

// `slotIndex` is the compile index of a full file, the FE index of a small
// file or the FD index of a medium file; local bits beyond the slot's mask are
// dropped, as the game does when it resolves an ID inside a file.
constexpr std::uint32_t ComposeFormID(FileSlot slot, std::uint32_t slotIndex, std::uint32_t localID) {
    switch (slot) {
        case FileSlot::Full: return (slotIndex << 24) | (localID & 0xFFFFFF);
        case FileSlot::Small: return 0xFE000000u | ((slotIndex & 0xFFF) << 12) | (localID & 0xFFF);
        case FileSlot::Medium: return 0xFD000000u | ((slotIndex & 0xFF) << 16) | (localID & 0xFFFF);
    }
    return 0;
}

// How world files and the console name a slot.
constexpr const char* SlotName(FileSlot slot) {
    switch (slot) {
        case FileSlot::Full: return "full";
        case FileSlot::Small: return "small";
        case FileSlot::Medium: return "medium";
    }
    return "full";
}

constexpr bool IsRuntimeFormID(std::uint32_t formID) { return (formID >> 24) == kRuntimeByte; }

constexpr std::uint32_t kFirstRuntimeFormID = 0xFF000800;

}  // namespace sim
