// Where blueprints live and what their files are called.
#pragma once

#include <string>

namespace Corvanis {

constexpr const char* kSpaceshipsFolder = ".\\Data\\ORBX\\Plugins\\Spaceships\\";
constexpr const char* kBlueprintExtension = ".txt";

// The name with each of " * / : < > ? \ | replaced by ';'; every other
// character stays as it is.
std::string SanitizeBlueprintFileName(std::string fileName);

}  // namespace Corvanis
