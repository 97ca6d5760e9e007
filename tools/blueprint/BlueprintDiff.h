// What differs between two blueprints, key by key. A data line's key is its
// key part (BlueprintLine), a presence line is a key without value, and the
// ship and version lines are the keys "Ship:" and "Version:" with the rest of
// the line as value. The export time says when, not what: it is left out. A
// key that occurs more than once is matched occurrence by occurrence.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace blueprint_tool {

struct KeyChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind;
    std::string key;  // as the line has it: 'Blueprint.data[0].fPosX ', 'Version:'
    bool hasOldValue = false;
    std::string oldValue;
    std::size_t oldLine = 0;  // 0 for an added key
    bool hasNewValue = false;
    std::string newValue;
    std::size_t newLine = 0;  // 0 for a removed key
};

// The changes from `before` to `after`: removed and changed keys in the order
// of `before`'s lines, then added keys in the order of `after`'s.
std::vector<KeyChange> DiffBlueprints(std::string_view before, std::string_view after);

// One line for each change, for people:
//   changed  Blueprint.data[0].fPosX |0.000000  ->  |1.500000
//   removed  QRNKeywordForm[2] |000810|Frontier.vmf
//   added    DecorItem[4].bWorkshopItem
std::string ChangeText(const KeyChange& change);

}  // namespace blueprint_tool
