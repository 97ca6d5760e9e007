// The plug-in's settings: one process-wide record of 32 one-byte flags, read
// from .\Data\ORBX\Plugins\Corvanis.ini. Export and import routines get a
// copy of the whole record, so its byte order is fixed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "format/DecorationTypes.h"

namespace Corvanis {

// Item-type gates of the decoration export and import, in their fixed order.
struct ItemTypeSkips {
    std::uint8_t bSkipBOOK;
    std::uint8_t bSkipMISC;
    std::uint8_t bSkipFURN;
    std::uint8_t bSkipKEYM;
    std::uint8_t bSkipALCH;
    std::uint8_t bSkipMSTT;
    std::uint8_t bSkipCONT;
    std::uint8_t bSkipTERM;
    std::uint8_t bSkipARMO;
    std::uint8_t bSkipWEAP;
    std::uint8_t bSkipType43;  // no key sets it
    std::uint8_t bSkipType30;  // no key sets it
};
static_assert(sizeof(ItemTypeSkips) == 12);

// Whether the settings skip the items that the setting names.
bool IsSkipped(SkipSetting setting, const ItemTypeSkips& skips);

struct ExportSettings {
    std::uint8_t bInventoryItemTypes;
    std::uint8_t bWorkshopItems;
    ItemTypeSkips skip;
};
static_assert(sizeof(ExportSettings) == 14);

struct ImportSettings {
    std::uint8_t bInventoryItemTypes;
    std::uint8_t bWorkshopItems;
    std::uint8_t bRemoveInventoryTypeItems;   // no key sets it
    std::uint8_t bRemoveWorkshopLinkedItems;  // no key sets it
    ItemTypeSkips skip;
};
static_assert(sizeof(ImportSettings) == 16);

struct SettingsFlags {
    std::uint8_t bNoPilotingSkillRequirement;
    ExportSettings exportSettings;
    ImportSettings importSettings;
    std::uint8_t bAlwaysReloadSettingsOnCommand;
};
static_assert(sizeof(SettingsFlags) == 32);
static_assert(offsetof(SettingsFlags, exportSettings) == 1);
static_assert(offsetof(SettingsFlags, exportSettings) + offsetof(ExportSettings, skip) == 3);
static_assert(offsetof(SettingsFlags, exportSettings) + offsetof(ExportSettings, skip) +
                  offsetof(ItemTypeSkips, bSkipWEAP) == 12);
static_assert(offsetof(SettingsFlags, importSettings) == 15);
static_assert(offsetof(SettingsFlags, importSettings) +
                  offsetof(ImportSettings, bRemoveInventoryTypeItems) == 17);
static_assert(offsetof(SettingsFlags, importSettings) + offsetof(ImportSettings, skip) == 19);
static_assert(offsetof(SettingsFlags, importSettings) + offsetof(ImportSettings, skip) +
                  offsetof(ItemTypeSkips, bSkipType30) == 30);
static_assert(offsetof(SettingsFlags, bAlwaysReloadSettingsOnCommand) == 31);

// The built-in defaults, in force from load until the settings file is read.
constexpr SettingsFlags kDefaultSettings = {
    0,
    {1, 1, {}},
    {1, 1, 1, 1, {}},
    1,
};

// The process-wide settings.
SettingsFlags& Settings();

// Reads the settings file; with `createIfMissing`, writes the default keys
// when the file does not exist.
void LoadSettings(bool createIfMissing);

}  // namespace Corvanis
