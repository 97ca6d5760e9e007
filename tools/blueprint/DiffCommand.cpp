#include "tools/blueprint/BlueprintDiff.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/NumberText.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

int RunDiff(const std::string& before, const std::string& after, std::ostream& out, std::ostream& err) {
    std::string beforeBytes;
    std::string afterBytes;
    if (!ReadNamedFile(before, beforeBytes, err) || !ReadNamedFile(after, afterBytes, err)) return kExitError;
    const std::vector<KeyChange> changes = DiffBlueprints(beforeBytes, afterBytes);
    if (changes.empty()) {
        out << "The blueprints hold the same keys and values (the export time aside).\n";
        return kExitClean;
    }
    out << "--- " << before << "\n+++ " << after << "\n";
    std::size_t counts[3] = {};
    for (const KeyChange& change : changes) {
        out << ChangeText(change) << "\n";
        ++counts[static_cast<int>(change.kind)];
    }
    out << Counted(changes.size(), "key differs: ", "keys differ: ")
        << counts[static_cast<int>(KeyChange::Kind::Changed)] << " changed, "
        << counts[static_cast<int>(KeyChange::Kind::Removed)] << " removed, "
        << counts[static_cast<int>(KeyChange::Kind::Added)] << " added\n";
    return kExitFound;
}

}  // namespace blueprint_tool
