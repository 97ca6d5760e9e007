#include "forms/FormIDText.h"

#include "forms/FileSlotKind.h"

namespace Corvanis {

std::string FormIDHex(std::uint32_t formID) {
    if (formID == 0) return {};
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, formID >>= 4) text[static_cast<std::size_t>(i)] = kDigits[formID & 0xF];
    return text;
}

std::string FormIDHex(const host::Form* form) {
    if (form == nullptr) return {};
    return FormIDHex(host::Game().FormGetID(form));
}

std::string FormIDPrefix(const host::Form* form) {
    if (form == nullptr) return {};
    const std::uint32_t formID = host::Game().FormGetID(form);
    if (formID == 0) return {};
    const FileSlotKind kind = FileSlotKindOf(static_cast<std::uint8_t>(formID >> 24));
    return FormIDHex(formID).substr(0, FilePrefixLength(kind));
}

}  // namespace Corvanis
