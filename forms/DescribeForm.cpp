#include "forms/DescribeForm.h"

#include <cstdint>

#include "forms/FormIDText.h"
#include "forms/HexText.h"
#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

const char* FormTypeName(std::uint8_t code) {
    const veltrane::GameInterface& game = host::Game();
    for (std::uint32_t i = 0; i < game.formTypeNameCount; ++i) {
        const veltrane::FormTypeName& entry = game.formTypeNames[i];
        if (entry.code == code) return entry.name != nullptr ? entry.name : "";
    }
    return "";
}

std::string TypePart(const host::Form* form) {
    try {
        const std::uint8_t code = host::Game().FormGetStoredType(form);
        return std::to_string(code) + "|" + FormTypeName(code);
    } catch (...) {
        return "{exception}";
    }
}

std::string TextOr(const char* text, const char* placeholder) {
    return text != nullptr && text[0] != '\0' ? text : placeholder;
}

}  // namespace

std::string DescribeForm(const host::Form* form, bool withType, bool withFileIndex, bool withName,
                         bool withEditorID) {
    if (form == nullptr) return "!!! ERROR: nullptr form !!!";
    const veltrane::GameInterface& game = host::Game();
    std::string text = "[" + FormIDHex(form) + " | " + HexText(reinterpret_cast<std::uintptr_t>(form));
    if (withType) text += " | " + TypePart(form);
    if (withFileIndex) {
        const std::uint16_t index = game.FormGetFileListIndex(form);
        text += " | " + std::to_string(index) + "|0x" + HexText(index);
    }
    if (withName) text += " | " + TextOr(game.FormGetDisplayName(form), "{unnamed}");
    if (withEditorID) text += " | " + TextOr(game.FormGetEditorID(form), "{no_edid}");
    return text + "]";
}

}  // namespace Corvanis
