#include "export/ExportKeywords.h"

#include "host/layouts/DataFiles.h"

namespace Corvanis {

namespace {

bool IsKeyword(const host::Form* form) {
    return form != nullptr && host::Game().FormQueryType(form) == veltrane::kFormTypeKeyword;
}

}  // namespace

bool FindExportKeywords(ExportKeywords& keywords, std::string& errorText) {
    const veltrane::GameInterface& game = host::Game();
    keywords.spaceshipCockpitPilotSeat = game.LookupFormByID(kSpaceshipCockpitPilotSeatID);
    keywords.spaceshipInventoryContainer = game.LookupFormByID(kSpaceshipInventoryContainerID);
    keywords.workshopItemKeyword = *game.workshopItemKeyword;
    keywords.workshopKeyword = *game.workshopKeyword;

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
