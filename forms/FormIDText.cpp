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
    const std::string id = FormIDHex(form);
    if (id.size() != 8) return {};
    FileSlotKind kind = FileSlotKind::Full;
    if (id[0] == 'F' && id[1] == 'D') kind = FileSlotKind::FD;
    if (id[0] == 'F' && id[1] == 'E') kind = FileSlotKind::FE;
    return id.substr(0, FilePrefixLength(kind));
}

}  // namespace Corvanis
