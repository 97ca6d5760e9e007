#include "import/ImportShipLayout.h"

#include "format/BlueprintFileName.h"
#include "forms/FormIDText.h"
#include "host/host.h"
#include "host/layouts/DataFiles.h"
#include "import/BlueprintLookup.h"
#include "import/ImportLayout.h"
#include "import/ImportRefusals.h"

namespace Corvanis {

namespace {

constexpr const char* kNotImportedText = "ship layout couldn't be imported.";
constexpr const char* kImportedLine =
    "ImportShipLayout: INFO: ship layout successfully imported. Please modify the imported ship at a Ship Services "
    "Technician before flying it (any kind of modification will do). Fly it manually first (i.e. not with Fast "
    "Travel).";
// Keywords that mark ships the layout of which must not change.
constexpr std::uint32_t kShipNotModifiableID = 0x3413F3;
constexpr std::uint32_t kLumenkinShipID = 0x33DB7A;

bool Refuse(const Refusal& refusal) {
    PrintCommandRefusal(kImportShipLayoutPrefix, refusal);
    return false;
}

bool RefuseInternal(const Refusal& refusal) {
    host::PrintConsole((std::string(kImportShipLayoutPrefix) + ": INTERNAL ERROR: " + refusal.text).c_str());
    PrintCommandInfo(kImportShipLayoutPrefix, refusal.reason);
    return false;
}

host::Form* Keyword(std::uint32_t formID) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* form = game.LookupFormByID(formID);
    return form != nullptr && game.FormQueryType(form) == veltrane::kFormTypeKeyword ? form : nullptr;
}

bool PlayerIsAboard(const host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    if (player == nullptr) return false;
    const host::Form* aboard = game.GetShipPlayerIsIn(player, true, nullptr, nullptr);
    return aboard != nullptr && game.FormGetID(aboard) == game.FormGetID(theShipRef);
}

// Whether the home ship may be changed: false, with the reason printed, when not.
bool HomeShipMayChange(host::Form* theShipRef) {
    const veltrane::GameInterface& game = host::Game();
    if (theShipRef == nullptr) return Refuse(kNoHomeShip);
    const host::Form* notModifiable = Keyword(kShipNotModifiableID);
    if (notModifiable == nullptr) return RefuseInternal(kNoNotModifiableKeyword);
    const host::Form* lumenkinShip = Keyword(kLumenkinShipID);
    if (lumenkinShip == nullptr) return RefuseInternal(kNoLumenkinKeyword);
    if (game.RefHasKeyword(theShipRef, notModifiable)) return Refuse(kHomeShipNotModifiable);
    if (game.RefHasKeyword(theShipRef, lumenkinShip)) return Refuse(kHomeShipLumenkin);
    const host::Form* base = game.RefGetBaseObject(theShipRef);
    if (base == nullptr) return Refuse(kNoHomeShipBase);
    if (const std::uint8_t type = game.FormGetStoredType(base); type != veltrane::kFormTypeGenericBaseForm) {
        PrintCommandRefusal(kImportShipLayoutPrefix, kHomeShipBaseOfOtherType,
                            kHomeShipBaseOfOtherType.text + std::to_string(type));
        return false;
    }
    // Only a base the game made for this playthrough may be rewritten; a ship
    // technician's modification makes one.
    if (!IsCreatedAtRunTime(game.FormGetID(base))) return Refuse(kHomeShipNotRuntimeCreated);
    if (PlayerIsAboard(theShipRef)) return Refuse(kPlayerInHomeShip);
    return true;
}

// From the game's console, blueprints come from the game's Spaceships folder.
bool ImportShipLayoutFromConsole(const CommandInput& input) {
    return RunImportShipLayout(input, kSpaceshipsFolder, platform::SystemFiles());
}

}  // namespace

bool RunImportShipLayout(const CommandInput& input, const std::string& folder, platform::FileSystem& files) {
    host::Form* theShipRef = host::Game().GetPlayerHomeShip();
    if (!HomeShipMayChange(theShipRef)) return false;

    const std::string typedName = input.blueprintName + kBlueprintExtension;
    const std::optional<std::string> fileName = FindBlueprintFile(folder, typedName, files);
    if (!fileName) {
        PrintCommandRefusal(kImportShipLayoutPrefix, kNoBlueprintFile,
                            kNoBlueprintFile.text + folder + typedName + "]");
        return false;
    }

    ImportErrorInfo error;
    ReturnStorageBlueprintVersionInfo version;
    ImportReport report;
    if (!ImportShipLayoutToBaseOfRef(theShipRef, folder, *fileName, input.settings, error, version, report, files)) {
        ExplainImportFailure(error);
        PrintCommandFailure(kImportShipLayoutPrefix, kNotImportedText, error);
        return false;
    }
    PrintImportReport(kImportedLine, report);
    return true;
}

const CommandWork kImportShipLayoutWork{kImportShipLayoutPrefix, &ImportShipLayoutFromConsole, kNotImportedText};

}  // namespace Corvanis
