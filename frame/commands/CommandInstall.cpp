#include "frame/commands/CommandInstall.h"

#include <array>
#include <string>

#include "frame/commands/PlayerUpdateSink.h"
#include "frame/startup/FatalReport.h"
#include "frame/startup/PluginState.h"
#include "host/host.h"
#include "host/layouts/CommandTables.h"

namespace Corvanis {

namespace {

using veltrane::CommandEntry;
using veltrane::CommandExecuteFn;

// Where the scans stop: past these opcodes the tables hold nothing a plug-in
// may take.
constexpr std::uint32_t kScriptCommandsOpcodeBound = 0x13C0;
constexpr std::uint32_t kConsoleCommandsOpcodeBound = 0x347;

// Failed calls tolerated before the next one gives up for good.
constexpr std::int32_t kAttemptLimit = 5;
constexpr std::int32_t kAllInstalled = -1;

// The game keeps a pointer to it in every entry, so it lives as long as the
// process.
veltrane::ParameterDefinition g_blueprintNameParameter{"asBlueprintName", 0, 0};

std::array<bool, kCommandCount> g_installed{};
std::int32_t g_attempts = 0;

std::string InstallErrorCode() {
    return std::to_string(g_attempts) + "x" + std::to_string(kAttemptLimit) + "x" + std::to_string(g_installed[0]) +
           "x" + std::to_string(g_installed[1]) + "x" + std::to_string(g_installed[2]);
}

CommandEntry* FindSlot() {
    const veltrane::GameInterface& game = host::Game();
    if (CommandEntry* slot = FindFreeSlot(game.scriptCommands, kScriptCommandsOpcodeBound, game.placeholderHandler)) {
        return slot;
    }
    return FindFreeSlot(game.consoleCommands, kConsoleCommandsOpcodeBound, game.placeholderHandler);
}

void WriteCommand(CommandEntry& slot, const CommandDefinition& command) {
    slot.longName = command.longName;
    slot.shortName = "";
    slot.helpText = command.helpText;
    slot.flags = 0;
    slot.parameterCount = 1;
    slot.parameters = &g_blueprintNameParameter;
    slot.execute = command.handler;
}

}  // namespace

CommandEntry* FindFreeSlot(CommandEntry* table, std::uint32_t opcodeBound, CommandExecuteFn placeholderHandler) {
    for (CommandEntry* entry = table; entry->opcode < opcodeBound; ++entry) {
        if (entry->longName != nullptr && entry->execute == placeholderHandler) return entry;
    }
    return nullptr;
}

bool AllCommandsInstalled() { return g_installed[0] && g_installed[1] && g_installed[2]; }

bool InstallCommands() {
    if (g_attempts >= kAttemptLimit) {
        ReportFatalError("Corvanis::InstallCommands", 284, "couldn't install, error code: " + InstallErrorCode());
    }
    if (AllCommandsInstalled()) return true;
    const CommandTable& commands = *g_plugin.commands;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (g_installed[i]) continue;
        if (CommandEntry* slot = FindSlot()) {
            WriteCommand(*slot, commands[i]);
            g_installed[i] = true;
        }
    }
    if (AllCommandsInstalled()) {
        RegisterPlayerUpdateSink(false);
        g_attempts = kAllInstalled;
        return true;
    }
    ++g_attempts;
    return false;
}

}  // namespace Corvanis
