#include "frame/settings/Settings.h"

#include "frame/settings/SettingsFile.h"

// A plain symbol: the piloting hook's machine code reads byte 0 on every
// call.
extern "C" {
Corvanis::SettingsFlags Corvanis_Settings = Corvanis::kDefaultSettings;
}
static_assert(offsetof(Corvanis::SettingsFlags, bNoPilotingSkillRequirement) == 0);

namespace Corvanis {

bool IsSkipped(SkipSetting setting, const ItemTypeSkips& skips) {
    switch (setting) {
        case SkipSetting::BOOK: return skips.bSkipBOOK != 0;
        case SkipSetting::MISC: return skips.bSkipMISC != 0;
        case SkipSetting::FURN: return skips.bSkipFURN != 0;
        case SkipSetting::KEYM: return skips.bSkipKEYM != 0;
        case SkipSetting::ALCH: return skips.bSkipALCH != 0;
        case SkipSetting::MSTT: return skips.bSkipMSTT != 0;
        case SkipSetting::CONT: return skips.bSkipCONT != 0;
        case SkipSetting::TERM: return skips.bSkipTERM != 0;
        case SkipSetting::ARMO: return skips.bSkipARMO != 0;
        case SkipSetting::WEAP: return skips.bSkipWEAP != 0;
        case SkipSetting::Type43: return skips.bSkipType43 != 0;
        case SkipSetting::Type30: return skips.bSkipType30 != 0;
        case SkipSetting::None: return false;
    }
    return false;
}

SettingsFlags& Settings() { return Corvanis_Settings; }

void LoadSettings(bool createIfMissing) { LoadSettingsFile(Corvanis_Settings, createIfMissing, {}); }

}  // namespace Corvanis
