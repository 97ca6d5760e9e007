#include "frame/commands/CommandPreamble.h"

#include <algorithm>

#include "frame/piloting/PilotingSkill.h"
#include "host/host.h"
#include "host/layouts/CommandTables.h"

namespace Corvanis {

namespace {

void Print(const char* prefix, const char* kind, const std::string& text) {
    host::PrintConsole((std::string(prefix) + kind + text).c_str());
}

// What the preamble refuses, and why.
constexpr Refusal kNotParsed{
    "couldn't parse command parameters.",
    "the command takes one name: put a name with blanks in quotes, as in ExportShip \"Orbit Runner\""};
// The text says it: a name is wanted.
constexpr Refusal kEmptyName{"parameter 'asBlueprintName' is empty.", ""};

void ReloadSettings() {
    LoadSettings(false);
    ApplyPilotingRequirementForm(Settings().bNoPilotingSkillRequirement != 0);
}

// The text of `asBlueprintName` as the game's extractor leaves it; false when
// the extractor could not read the parameters.
bool ExtractBlueprintName(const CommandArguments& a, std::string& name) {
    char text[veltrane::kParameterTextCapacity] = {};
    if (!host::Game().ExtractParameters(a.parameters, a.scriptData, a.opcodeOffset, a.thisObject,
                                        a.containingObject, a.script, a.locals, text)) {
        return false;
    }
    // Bounded: an extractor that filled the whole buffer left no NUL.
    name.assign(text, std::find(text, text + sizeof text, '\0'));
    return true;
}

}  // namespace

void PrintCommandError(const char* prefix, const std::string& text) { Print(prefix, ": ERROR: ", text); }

void PrintCommandInfo(const char* prefix, const std::string& text) { Print(prefix, ": INFO: ", text); }

bool RunCommandPreamble(const char* prefix, const CommandArguments& arguments, CommandInput& input) {
    if (Settings().bAlwaysReloadSettingsOnCommand) ReloadSettings();
    std::string name;
    if (!ExtractBlueprintName(arguments, name)) {
        PrintCommandRefusal(prefix, kNotParsed);
        return false;
    }
    if (name.empty()) {
        PrintCommandRefusal(prefix, kEmptyName);
        return false;
    }
    input.blueprintName = std::move(name);
    input.settings = Settings();
    return true;
}

void PrintCommandRefusal(const char* prefix, const Refusal& refusal, const std::string& text) {
    PrintCommandError(prefix, text);
    if (refusal.reason[0] != '\0') PrintCommandInfo(prefix, refusal.reason);
}

void PrintCommandFailure(const char* prefix, const char* failure, const ErrorInfo& error) {
    PrintCommandError(prefix, failure);
    host::PrintConsole(ErrorPhaseLine(error.sPhase, error.sExtraErrorText).c_str());
    if (!error.sReason.empty()) PrintCommandInfo(prefix, error.sReason);
    for (const std::string& note : error.notes) PrintCommandInfo(prefix, note);
}

}  // namespace Corvanis
