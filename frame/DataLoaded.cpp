#include "frame/DataLoaded.h"

#include "frame/CommandInstall.h"
#include "frame/PilotingSkill.h"
#include "frame/PlayerUpdateSink.h"
#include "frame/Settings.h"

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
