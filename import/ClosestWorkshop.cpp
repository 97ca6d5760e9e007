#include "import/ClosestWorkshop.h"

#include "import/CandidateCells.h"

namespace Corvanis {

host::Form* FindClosestWorkshop(const host::Form* workshopKeyword) {
    const veltrane::GameInterface& game = host::Game();
    const host::Form* player = game.GetPlayerCharacter();
    host::Form* closest = nullptr;
    float closestDistance = 0.0f;
    for (const host::Form* cell : GatherCandidateCells()) {
        std::uint32_t count = 0;
        host::Form* const* references = game.CellGetReferences(cell, &count);
        if (references == nullptr) continue;
        for (std::uint32_t i = 0; i < count; ++i) {
            host::Form* candidate = references[i];
            if (candidate == nullptr || !game.RefHasKeyword(candidate, workshopKeyword)) continue;
            // Without a player every workshop is as near as the first.
            const float distance = player != nullptr ? game.GetDistance(player, candidate, 0) : 0.0f;
            if (closest == nullptr || distance < closestDistance) {
                closest = candidate;
                closestDistance = distance;
            }
        }
    }
    return closest;
}

}  // namespace Corvanis
