// The start-up paths that end the process, with the plug-in's code linked in
// so that a scenario can hand it a game base or memory of its choosing. The
// scenario is named on the command line.
#include <cstdio>
#include <string>

#include "frame/piloting/PilotingSkill.h"
#include "frame/piloting/TrampolineReports.h"
#include "frame/startup/FatalReport.h"
#include "frame/startup/PluginLoad.h"
#include "orbx_common/BranchTrampoline.h"
#include "platform/platform.h"
#include "plugin/PluginCommands.h"
#include "tests/support/probe_host.h"

namespace {

// Everything is taken; queries answer with one committed region.
class FullMemory final : public platform::MemorySystem {
public:
    bool Query(std::uintptr_t address, platform::RegionInfo& out) override {
        out = {0, address + 1, platform::RegionState::Committed};
        return true;
    }
    void* ReserveCommit(std::uintptr_t, std::size_t) override { return nullptr; }
    void Release(void*) override {}
    std::uint32_t LastError() override { return 0; }
    bool ChangeProtection(void*, std::size_t, std::uint32_t, std::uint32_t*) override { return false; }
    void FlushInstructionCache(const void*, std::size_t) override {}
};

// Hands out one static block wherever it is asked to.
class StaticBlockMemory final : public platform::MemorySystem {
public:
    bool Query(std::uintptr_t address, platform::RegionInfo& out) override {
        out = {address & ~std::uintptr_t{0xFFF}, 0x1000, platform::RegionState::Free};
        return true;
    }
    void* ReserveCommit(std::uintptr_t, std::size_t) override { return block_; }
    void Release(void*) override {}
    std::uint32_t LastError() override { return 0; }
    // No code of the probe's is ever made writable.
    bool ChangeProtection(void*, std::size_t, std::uint32_t, std::uint32_t*) override { return false; }
    void FlushInstructionCache(const void*, std::size_t) override {}

private:
    alignas(16) std::uint8_t block_[Corvanis::BranchTrampoline::kSize] = {};
};

int Scenario(const std::string& name) {
    if (name == "load-without-game-base") {
        return Corvanis::LoadPlugin(&corvanis_test::ProbeLoader(), 0, platform::SystemMemory(),
                                    Corvanis::PluginCommands());
    }
    if (name == "load-without-free-memory") {
        FullMemory memory;
        return Corvanis::LoadPlugin(&corvanis_test::ProbeLoader(), platform::MainModuleBase(), memory,
                                    Corvanis::PluginCommands());
    }
    if (name == "fatal-report") {
        Corvanis::ReportFatalError("Corvanis::InstallCommands", 284, "couldn't install, error code: 7");
    }
    if (name == "call-without-trampoline") {
        Corvanis::BranchTrampoline none;
        Corvanis::StopOnFailedCheck(none.WriteCallThroughTrampoline(0x1000, 0x2000));
        return 1;
    }
    if (name == "piloting-patch-without-call" || name == "piloting-patch-on-unwritable-code") {
        // Static, as the game's code here is: the trampoline must lie within
        // reach of the call site.
        static StaticBlockMemory nearMemory;
        static std::uint8_t callSite[5] = {0xE8, 0x10, 0, 0, 0};
        if (name == "piloting-patch-on-unwritable-code") corvanis_test::ProbeGame().pilotingCallSite = callSite;
        Corvanis::LoadPlugin(&corvanis_test::ProbeLoader(), platform::MainModuleBase(), nearMemory,
                             Corvanis::PluginCommands());
        Corvanis::PilotingSkill::InstallNoPilotingSkillRequirement();
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered, so that nothing is lost when a scenario ends the process.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) return 1;
    const int result = Scenario(argv[1]);
    std::printf("scenario returned\n");
    return result;
}
