#include "frame/piloting/PilotingSkill.h"

#include "frame/piloting/TrampolineReports.h"
#include "frame/settings/Settings.h"
#include "frame/startup/FatalReport.h"
#include "frame/startup/PluginState.h"
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

namespace {

enum class RedirectStatus { Redirected, AlreadyRedirected, NoCallAtSite, WriteFailed };

// Points the requirement call at `site` through a trampoline slot to the
// hook. Once it is redirected, later calls change nothing: the call would
// now lead to the hook's own slot, and taken for the game's callee that slot
// would make the hook jump to itself for ever.
RedirectStatus RedirectRequirementCall(std::uintptr_t site) {
    if (Corvanis_ReplacedPilotingCallee != 0) return RedirectStatus::AlreadyRedirected;
    const std::uintptr_t callee = GetCallTarget(site);
    if (callee == 0) return RedirectStatus::NoCallAtSite;
    // Known before the call is redirected: a game thread may take the new
    // path the moment the bytes are written.
    Corvanis_ReplacedPilotingCallee = callee;
    const auto hook = reinterpret_cast<std::uintptr_t>(&Corvanis_PilotingRequirementHook);
    const TrampolineStatus written = StopOnFailedCheck(g_branchTrampoline.WriteCallThroughTrampoline(site, hook));
    if (written == TrampolineStatus::Ok) return RedirectStatus::Redirected;
    Corvanis_ReplacedPilotingCallee = 0;
    return RedirectStatus::WriteFailed;
}

}  // namespace

void InstallNoPilotingSkillRequirement() {
    const std::uintptr_t site =
        g_plugin.gameBase != 0 ? reinterpret_cast<std::uintptr_t>(host::Game().pilotingCallSite) : 0;
    switch (RedirectRequirementCall(site)) {
        case RedirectStatus::Redirected:
            ApplyPilotingRequirementForm(true);
            return;
        case RedirectStatus::AlreadyRedirected:
            return;
        case RedirectStatus::NoCallAtSite:
        case RedirectStatus::WriteFailed:
            break;
    }
    ReportFatalError("Corvanis::PilotingSkill::InstallNoPilotingSkillRequirement", 76, "write error");
}

}  // namespace PilotingSkill

}  // namespace Corvanis
