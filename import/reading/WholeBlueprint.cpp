#include "import/reading/WholeBlueprint.h"

namespace Corvanis {

namespace {

// UTF-16 text begins with its byte-order mark, or holds a zero byte beside
// each ASCII character; a blueprint holds neither.
bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
           bytes.find('\0') != std::string_view::npos;
}

}  // namespace

std::string NoBlueprintText(std::string_view bytes) {
    std::string text = "this file is no blueprint: none of its lines is one that an import reads";
    if (IsUtf16(bytes)) text += " (it is saved as UTF-16, which Notepad calls \"Unicode\": save it as UTF-8 instead)";
    return text;
}

}  // namespace Corvanis
