#include "export/ExportKeywords.h"

namespace Corvanis {

namespace {

bool IsKeyword(const host::Form* form) {
    return form != nullptr && host::Game().FormQueryType(form) == veltrane::kFormTypeKeyword;
}

host::Form* GlobalForm(host::Form** global) { return global != nullptr ? *global : nullptr; }

}  // namespace

bool FindExportKeywords(ExportKeywords& keywords, std::string& errorText) {
    const veltrane::GameInterface& game = host::Game();
    keywords.spaceshipCockpitPilotSeat = game.LookupFormByID(kSpaceshipCockpitPilotSeatID);
    keywords.spaceshipInventoryContainer = game.LookupFormByID(kSpaceshipInventoryContainerID);
    keywords.workshopItemKeyword = GlobalForm(game.workshopItemKeyword);
    keywords.workshopKeyword = GlobalForm(game.workshopKeyword);

    const struct {
        const host::Form* keyword;
        const char* missingText;
    } required[] = {
        {keywords.spaceshipCockpitPilotSeat, "SpaceshipCockpitPilotSeat is nullptr or not QRNKeyword"},
        {keywords.spaceshipInventoryContainer, "SpaceshipInventoryContainer is nullptr or not QRNKeyword"},
        {keywords.workshopItemKeyword, "WorkshopItemKeyword is nullptr or not QRNKeyword"},
        {keywords.workshopKeyword, "WorkshopKeyword is nullptr or not QRNKeyword"},
    };
    for (const auto& keyword : required) {
        if (!IsKeyword(keyword.keyword)) {
            errorText = keyword.missingText;
            return false;
        }
    }
    return true;
}

}  // namespace Corvanis
