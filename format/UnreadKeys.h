// Lines every export writes that no import takes back, on purpose: the
// blueprint component's fields after its modules, which the layout import
// leaves as the home ship has them, and the identity of a container entry's
// extra data, which names an object of the game that wrote it. A checking
// tool does not warn of them.
#pragma once

#include <string_view>

namespace Corvanis {

inline constexpr std::string_view kBlueprintUnk28Key = "Blueprint.unk28 |";
inline constexpr std::string_view kBlueprintUnk30Key = "Blueprint.unk30 |";
// The word right after unk30 goes by the name of unk34 in blueprints.
inline constexpr std::string_view kBlueprintUnk38Key = "Blueprint.unk34 |";
inline constexpr std::string_view kBlueprintUnk3CKey = "Blueprint.unk3C |";
// After a container entry's index.
inline constexpr std::string_view kContainerItemExtraKey = "].itemExtra |";

inline constexpr std::string_view kKeysWrittenButNotRead[] = {
    kBlueprintUnk28Key, kBlueprintUnk30Key, kBlueprintUnk38Key, kBlueprintUnk3CKey, kContainerItemExtraKey,
};

}  // namespace Corvanis
