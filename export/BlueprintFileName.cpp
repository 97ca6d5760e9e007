#include "export/BlueprintFileName.h"

#include <string_view>

namespace Corvanis {

std::string SanitizeBlueprintFileName(std::string fileName) {
    constexpr std::string_view kReplaced = "\"*/<>?\\|";
    for (char& c : fileName) {
        if (kReplaced.find(c) != std::string_view::npos) c = ';';
    }
    return fileName;
}

}  // namespace Corvanis
