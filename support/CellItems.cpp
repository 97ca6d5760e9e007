#include "support/CellItems.h"

namespace dev_support {

std::multiset<std::string> CellItems(const sim::Json& world, const std::string& cellID) {
    std::set<std::string> inCell;
    for (const sim::Json& cell : world["cells"]) {
        if (cell["id"] != cellID || !cell.contains("references")) continue;
        for (const sim::Json& id : cell["references"]) {
            if (id.is_string()) inCell.insert(id.get<std::string>());
        }
    }
    std::multiset<std::string> items;
    for (sim::Json reference : world["references"]) {
        if (inCell.count(reference["id"].get<std::string>()) == 0) continue;
        reference.erase("id");
        reference.erase("formID");
        items.insert(reference.dump());
    }
    return items;
}

}  // namespace dev_support
