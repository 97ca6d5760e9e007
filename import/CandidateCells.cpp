#include "import/CandidateCells.h"

#include <algorithm>
#include <exception>
#include <functional>

#include "host/layouts/DataFiles.h"
#include "host/loaded_cells.h"

namespace Corvanis {

namespace {

bool IsLoadedCell(const host::Form* cell) { return cell != nullptr && host::Game().CellCheck(cell, 0); }

void AppendShipInterior(host::Form* actor, std::vector<host::Form*>& cells) {
    const veltrane::GameInterface& game = host::Game();
    const host::Form* ship = game.ActorGetShipRef(actor);
    if (ship == nullptr) return;
    host::Form* interior = game.ShipGetInteriorCell(ship);
    if (IsLoadedCell(interior)) cells.push_back(interior);
}

void AppendAssociatedCells(host::Form* actor, std::vector<host::Form*>& cells) {
    const veltrane::GameInterface& game = host::Game();
    const veltrane::AssociatedCellIDs associated = game.ActorGetAssociatedCellIDs(actor);
    if (associated.formIDs == nullptr) return;
    for (std::uint32_t i = 0; i < associated.count; ++i) {
        host::Form* form = game.LookupFormByID(associated.formIDs[i]);
        if (form != nullptr && game.FormQueryType(form) == veltrane::kFormTypeCell && IsLoadedCell(form)) {
            cells.push_back(form);
        }
    }
}

void AppendCellsAround(host::Form* actor, std::vector<host::Form*>& cells) {
    if (actor != nullptr) {
        if (host::Form* parent = host::Game().RefGetParentCell(actor)) cells.push_back(parent);
        AppendShipInterior(actor, cells);
        AppendAssociatedCells(actor, cells);
    }
    host::AppendManagedCells(cells);
}

}  // namespace

std::vector<host::Form*> GatherCandidateCells(host::Form* actor) {
    std::vector<host::Form*> cells;
    try {
        AppendCellsAround(actor != nullptr ? actor : host::Game().GetPlayerCharacter(), cells);
    } catch (const std::exception&) {
        // What was gathered before still counts.
    }
    std::sort(cells.begin(), cells.end(), std::less<host::Form*>());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

}  // namespace Corvanis
