// The version of the blueprint format that the exporter writes and the
// newest that the readers know.
#pragma once

#include <string_view>

namespace Corvanis {

// As the version line gives it: two decimals.
inline constexpr std::string_view kBlueprintVersionText = "2.00";

// "2.00" as the number a version line is read as.
consteval float VersionNumber(std::string_view text) {
    float whole = 0.0f;
    std::size_t at = 0;
    for (; at < text.size() && text[at] != '.'; ++at) whole = whole * 10.0f + static_cast<float>(text[at] - '0');
    float fraction = 0.0f;
    for (std::size_t end = text.size(); end > at + 1; --end) {
        fraction = (fraction + static_cast<float>(text[end - 1] - '0')) / 10.0f;
    }
    return whole + fraction;
}

inline constexpr float kBlueprintVersion = VersionNumber(kBlueprintVersionText);
static_assert(kBlueprintVersion == 2.0f);

}  // namespace Corvanis
