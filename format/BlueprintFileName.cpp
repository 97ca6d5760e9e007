#include "format/BlueprintFileName.h"

#include <string_view>

namespace Corvanis {

std::string SanitizeBlueprintFileName(std::string fileName) {
    // ':' as well: on Windows "Mk2:Rebirth.txt" names a hidden stream of a
    // file "Mk2", which a folder does not show and a copy loses.
    constexpr std::string_view kReplaced = "\"*/:<>?\\|";
    for (char& c : fileName) {
        if (kReplaced.find(c) != std::string_view::npos) c = ';';
    }
    return fileName;
}

}  // namespace Corvanis
