#include "sim/worldfile/FormRefText.h"

#include <charconv>

namespace sim {

namespace {

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
    return value;
}

int LocalDigits(FileSlot slot) {
    switch (slot) {
        case FileSlot::Full: return 6;
        case FileSlot::Small: return 3;
        case FileSlot::Medium: return 4;
    }
    return 6;
}

}  // namespace

std::string HexID(std::uint32_t value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::optional<FormRefText> ParseFormRefText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    FormRefText parsed;
    if (text.front() == '@') {
        if (text.size() == 1) return std::nullopt;
        parsed.kind = FormRefText::Kind::WorldName;
        parsed.text = std::string(text);
        return parsed;
    }
    if (text.front() == '#') {
        const auto id = ParseHex(text.substr(1));
        if (!id) return std::nullopt;
        parsed.kind = FormRefText::Kind::FormID;
        parsed.number = *id;
        return parsed;
    }
    if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        const auto local = ParseHex(text.substr(colon + 1));
        if (colon == 0 || !local) return std::nullopt;
        parsed.kind = FormRefText::Kind::FileLocal;
        parsed.text = std::string(text.substr(0, colon));
        parsed.number = *local;
        return parsed;
    }
    parsed.kind = FormRefText::Kind::EditorID;
    parsed.text = std::string(text);
    return parsed;
}

const veltrane::FileRecord* DefiningFile(const World& world, const veltrane::Form& form) {
    if (IsRuntimeFormID(form.formID)) return nullptr;
    for (const auto& file : world.Files()) {
        const std::uint32_t local = form.formID & LocalIDMask(file->slot);
        if (ComposeFormID(file->slot, file->SlotIndex(), local) == form.formID) return file.get();
    }
    return nullptr;
}

std::string FormatFormRef(const World& world, const veltrane::Form& form) {
    if (!form.worldName.empty()) return form.worldName;
    if (const veltrane::FileRecord* file = DefiningFile(world, form)) {
        return file->name + ":" + HexID(form.formID & LocalIDMask(file->slot), LocalDigits(file->slot));
    }
    return "#" + HexID(form.formID, 8);
}

}  // namespace sim
