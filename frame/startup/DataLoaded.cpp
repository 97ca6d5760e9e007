#include "frame/startup/DataLoaded.h"

#include "frame/commands/CommandInstall.h"
#include "frame/commands/PlayerUpdateSink.h"
#include "frame/piloting/PilotingSkill.h"
#include "frame/settings/Settings.h"

namespace Corvanis {

void OnDataLoaded() {
    // Tables without free slots yet get more chances from player updates.
    if (!InstallCommands()) RegisterPlayerUpdateSink(true);
    LoadSettings(true);
    const bool noPilotingSkillRequirement = Settings().bNoPilotingSkillRequirement != 0;
    ApplyPilotingRequirementForm(noPilotingSkillRequirement);
    if (noPilotingSkillRequirement) PilotingSkill::InstallNoPilotingSkillRequirement();
}

}  // namespace Corvanis
