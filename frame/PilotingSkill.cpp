#include "frame/PilotingSkill.h"

#include "frame/FatalReport.h"
#include "frame/PluginState.h"
#include "frame/Settings.h"
#include "host/host.h"
#include "orbx_common/BranchTrampoline.h"

extern "C" {
std::uintptr_t Corvanis_ReplacedPilotingCallee = 0;
}

namespace Corvanis {

void ApplyPilotingRequirementForm(bool settingOn) {
    veltrane::Form** pointer = host::Game().pilotingRequirementForm;
    if (settingOn) {
        if (*pointer != nullptr) *pointer = nullptr;
    } else if (*pointer == nullptr) {
        if (veltrane::Form* form = host::Game().LookupFormByID(kPilotingRequirementFormID)) *pointer = form;
    }
}

namespace PilotingSkill {

void InstallNoPilotingSkillRequirement() {
    const std::uintptr_t site =
        g_plugin.gameBase != 0 ? reinterpret_cast<std::uintptr_t>(host::Game().pilotingCallSite) : 0;
    const std::uintptr_t callee = GetCallTarget(site);
    if (callee != 0) {
        // Known before the call is redirected: a game thread may take the new
        // path the moment the bytes are written.
        Corvanis_ReplacedPilotingCallee = callee;
        const auto hook = reinterpret_cast<std::uintptr_t>(&Corvanis_PilotingRequirementHook);
        if (g_branchTrampoline.WriteCallThroughTrampoline(site, hook)) {
            ApplyPilotingRequirementForm(true);
            return;
        }
        Corvanis_ReplacedPilotingCallee = 0;
    }
    ReportFatalError("Corvanis::PilotingSkill::InstallNoPilotingSkillRequirement", 76, "write error");
}

}  // namespace PilotingSkill

}  // namespace Corvanis
