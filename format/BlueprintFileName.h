// Where blueprints live and what their files are called.
#pragma once

#include <string>
#include <string_view>

#include "format/FileNameCase.h"

namespace Corvanis {

constexpr const char* kSpaceshipsFolder = ".\\Data\\ORBX\\Plugins\\Spaceships\\";
constexpr const char* kBlueprintExtension = ".txt";

// Whether the name ends in the blueprint extension, in any case of its
// letters ("Pathfinder.TXT").
constexpr bool HasBlueprintExtension(std::string_view name) {
    const std::string_view extension = kBlueprintExtension;
    return name.size() > extension.size() && SameFileName(name.substr(name.size() - extension.size()), extension);
}

// The name with each of " * / : < > ? \ | replaced by ';'; every other
// character stays as it is.
std::string SanitizeBlueprintFileName(std::string fileName);

}  // namespace Corvanis
