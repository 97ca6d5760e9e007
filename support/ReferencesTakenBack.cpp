#include "support/ReferencesTakenBack.h"

#include <set>
#include <string>
#include <utility>

namespace dev_support {

sim::Json WithoutReferencesTakenBack(sim::Json after, const sim::Json& before, int& takenBack) {
    std::set<std::string> existed;
    for (const sim::Json& reference : before["references"]) existed.insert(reference["id"].get<std::string>());
    sim::Json kept = sim::Json::array();
    takenBack = 0;
    for (sim::Json& reference : after["references"]) {
        if (existed.count(reference["id"].get<std::string>()) == 0 && reference.value("removed", false)) {
            ++takenBack;
        } else {
            kept.push_back(std::move(reference));
        }
    }
    after["references"] = std::move(kept);
    for (std::size_t i = 0; i < after["cells"].size() && i < before["cells"].size(); ++i) {
        sim::Json& cell = after["cells"][i];
        if (!cell.contains("references")) continue;
        sim::Json& places = cell["references"];
        const bool hadAny = before["cells"][i].contains("references");
        const std::size_t had = hadAny ? before["cells"][i]["references"].size() : 0;
        while (places.size() > had && places.back().is_null()) places.erase(places.size() - 1);
        // A cell without references is written without the list.
        if (places.empty() && !hadAny) cell.erase("references");
    }
    return WithoutNextRuntimeFormID(std::move(after));
}

sim::Json WithoutNextRuntimeFormID(sim::Json world) {
    world["game"].erase("nextRuntimeFormID");
    return world;
}

}  // namespace dev_support
