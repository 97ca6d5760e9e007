// What the two imports refuse, and why in a player's words with what to do
// next: the checks before the reading as refusals, and the reasons for what
// the importers report. The reason is empty where the error text says it.
#pragma once

#include <string>

#include "frame/commands/CommandPreamble.h"
#include "import/ImportErrorInfo.h"

namespace Corvanis {

inline constexpr Refusal kNoHomeShip{
    "Homeship ref is nullptr.",
    "you have no home ship: make the ship you want to change your home ship, then import again"};
inline constexpr const char* kMissingKeywordReason =
    "the game's data files lack a keyword every layout import checks ships with, so no layout can be imported "
    "with them";
inline constexpr Refusal kNoNotModifiableKeyword{"01.", kMissingKeywordReason};
inline constexpr Refusal kNoLumenkinKeyword{"02.", kMissingKeywordReason};
inline constexpr Refusal kHomeShipNotModifiable{
    "Homeship is not modifiable. Please select another ship as homeship.", ""};
inline constexpr Refusal kHomeShipLumenkin{"Homeship is a Lumenkin ship. Please select another ship as homeship.",
                                           ""};
inline constexpr const char* kNoShipFormReason =
    "the game gives no ship form for your home ship, so its layout cannot change: select another ship as home ship";
inline constexpr Refusal kNoHomeShipBase{"Homeship base is nullptr.", kNoShipFormReason};
inline constexpr Refusal kHomeShipBaseOfOtherType{"Homeship base is not QRNGenericBaseForm. | FormType: ",
                                                  kNoShipFormReason};
inline constexpr Refusal kHomeShipNotRuntimeCreated{
    "Homeship base is not runtime created. Modify the Homeship at a Ship Services Technician first to allow "
    "importing a ship layout to it (any kind of modification will do).",
    ""};
inline constexpr Refusal kPlayerInHomeShip{
    "Player is currently in the Homeship.",
    "the layout of a ship you are aboard cannot change: leave the home ship first, then import again"};
inline constexpr Refusal kPlayerNotInShip{"Player is not in the ship.",
                                          "board the ship whose interior you decorate, then import again"};
inline constexpr Refusal kNoParentCell{
    "ParentCell is nullptr", "the game does not say where you stand: go into the ship's interior and import again"};
inline constexpr Refusal kNoBlueprintFile{
    "no file exists at [",
    "blueprints are the .txt files in Data\\ORBX\\Plugins\\Spaceships in the game folder: give the name without "
    ".txt, in quotes when it has blanks"};

// Sets the error's reason for what an importer reported, unless the reader
// that refused a line gave one.
void ExplainImportFailure(ImportErrorInfo& error);

}  // namespace Corvanis
