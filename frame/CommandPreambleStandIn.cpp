// STAND-IN, to be dropped when the frame's settings, command installation and
// handler preamble are merged: just enough of them to run ExportShip in the
// game. It reads the settings file without ever creating it, applies no
// piloting requirement, and installs ExportShip alone into the first free
// placeholder of the script-command table when the game's data is loaded.
#include "frame/CommandHandlers.h"
#include "frame/CommandPreamble.h"
#include "frame/DataLoaded.h"
#include "frame/Settings.h"
#include "host/host.h"
#include "platform/platform.h"

namespace Corvanis {

namespace {

constexpr const char* kSettingsPath = ".\\Data\\ORBX\\Plugins\\Corvanis.ini";
constexpr std::uint32_t kScriptCommandScanBound = 0x13C0;

void LoadFlag(const char* section, const char* key, std::uint8_t& flag) {
    const std::string value = platform::ReadProfileString(section, key, "", kSettingsPath, 10000);
    if (!value.empty()) flag = value == "1" ? 1 : 0;
}

void LoadSkips(const char* section, ItemTypeSkips& skips) {
    LoadFlag(section, "bSkipBOOK", skips.bSkipBOOK);
    LoadFlag(section, "bSkipMISC", skips.bSkipMISC);
    LoadFlag(section, "bSkipFURN", skips.bSkipFURN);
    LoadFlag(section, "bSkipKEYM", skips.bSkipKEYM);
    LoadFlag(section, "bSkipALCH", skips.bSkipALCH);
    LoadFlag(section, "bSkipMSTT", skips.bSkipMSTT);
    LoadFlag(section, "bSkipCONT", skips.bSkipCONT);
    LoadFlag(section, "bSkipTERM", skips.bSkipTERM);
    LoadFlag(section, "bSkipARMO", skips.bSkipARMO);
    LoadFlag(section, "bSkipWEAP", skips.bSkipWEAP);
}

veltrane::ParameterDefinition g_blueprintName{"asBlueprintName", 0, 0};

}  // namespace

SettingsFlags& Settings() {
    static SettingsFlags settings = kDefaultSettings;
    return settings;
}

void LoadSettings(bool) {
    if (platform::QueryPath(kSettingsPath) == platform::PathKind::NotFound) return;
    SettingsFlags& settings = Settings();
    LoadFlag("Piloting", "bNoPilotingSkillRequirement", settings.bNoPilotingSkillRequirement);
    LoadFlag("Export", "bWorkshopItems", settings.exportSettings.bWorkshopItems);
    LoadFlag("Export", "bInventoryItemTypes", settings.exportSettings.bInventoryItemTypes);
    LoadSkips("Export", settings.exportSettings.skip);
    LoadFlag("Import", "bWorkshopItems", settings.importSettings.bWorkshopItems);
    LoadFlag("Import", "bInventoryItemTypes", settings.importSettings.bInventoryItemTypes);
    LoadSkips("Import", settings.importSettings.skip);
    LoadFlag("Misc", "bAlwaysReloadSettingsOnCommand", settings.bAlwaysReloadSettingsOnCommand);
}

bool RunCommandPreamble(const char* prefix, const CommandArguments& arguments, CommandInput& input) {
    if (Settings().bAlwaysReloadSettingsOnCommand != 0) LoadSettings(false);
    char text[veltrane::kParameterTextCapacity] = {};
    if (!host::Game().ExtractParameters(arguments.parameters, arguments.scriptData, arguments.opcodeOffset,
                                        arguments.thisObject, arguments.containingObject, arguments.script,
                                        arguments.locals, text)) {
        PrintCommandError(prefix, "couldn't parse command parameters.");
        return false;
    }
    input.blueprintName = text;
    if (input.blueprintName.empty()) {
        PrintCommandError(prefix, "parameter 'asBlueprintName' is empty.");
        return false;
    }
    input.settings = Settings();
    return true;
}

void PrintCommandError(const char* prefix, const std::string& text) {
    host::PrintConsole((std::string(prefix) + ": ERROR: " + text).c_str());
}

void PrintCommandInfo(const char* prefix, const std::string& text) {
    host::PrintConsole((std::string(prefix) + ": INFO: " + text).c_str());
}

std::string ErrorPhaseLine(const std::string& phase, const std::string& extraErrorText) {
    std::string line = "[Error in phase: " + phase;
    if (!extraErrorText.empty()) line += " | Extra error text: " + extraErrorText;
    return line + "]";
}

void OnDataLoaded() {
    LoadSettings(true);
    const veltrane::GameInterface& game = host::Game();
    for (veltrane::CommandEntry* entry = game.scriptCommands;
         entry != nullptr && entry->opcode < kScriptCommandScanBound; ++entry) {
        if (entry->longName == nullptr || entry->execute != game.placeholderHandler) continue;
        entry->longName = "ExportShip";
        entry->shortName = "";
        entry->helpText = "Exports a Spaceship (implemented by Corvanis - ORBX Plugin by Pellimor)";
        entry->flags = 0;
        entry->parameterCount = 1;
        entry->parameters = &g_blueprintName;
        entry->execute = &ExportShipHandler;
        return;
    }
}

}  // namespace Corvanis
