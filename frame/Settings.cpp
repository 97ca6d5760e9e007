#include "frame/Settings.h"

#include "frame/SettingsFile.h"

// A plain symbol: the piloting hook's machine code reads byte 0 on every
// call.
extern "C" {
Corvanis::SettingsFlags Corvanis_Settings = Corvanis::kDefaultSettings;
}
static_assert(offsetof(Corvanis::SettingsFlags, bNoPilotingSkillRequirement) == 0);

namespace Corvanis {

SettingsFlags& Settings() { return Corvanis_Settings; }

void LoadSettings(bool createIfMissing) { LoadSettingsFile(Corvanis_Settings, createIfMissing, {}); }

}  // namespace Corvanis
