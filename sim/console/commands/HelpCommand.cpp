#include "host/layouts/CommandTables.h"
#include "sim/GameState.h"
#include "sim/console/Arguments.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/GameCommands.h"
#include "sim/console/commands/CommandGroups.h"
#include "sim/world/AsciiCase.h"

namespace sim {

namespace {

void ListCommands(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 0, 1, "Usage: help [TEXT]");
    if (!words) return;
    const std::string filter = words->empty() ? std::string() : CaseFolded(words->front());
    const CommandTables& tables = TheGame().tables;
    std::size_t listed = 0;
    for (CommandTableKind kind : {CommandTableKind::Console, CommandTableKind::Script}) {
        for (const veltrane::CommandEntry* entry : tables.Entries(kind)) {
            if (!IsCommand(*entry) || entry->longName == nullptr) continue;
            const std::string name = entry->longName;
            if (!filter.empty() && CaseFolded(name).find(filter) == std::string::npos) continue;
            std::string line = name;
            if (HasShortName(*entry)) line += " (" + std::string(entry->shortName) + ")";
            if (entry->helpText != nullptr && *entry->helpText != '\0') line += ": " + std::string(entry->helpText);
            WriteConsoleLine(line);
            ++listed;
        }
    }
    if (listed == 0) WriteConsoleLine("help: no command matches \"" + filter + "\"");
}

}  // namespace

std::optional<std::vector<std::string>> CommandArguments(const std::string& text, std::size_t least,
                                                         std::size_t most, const std::string& usage) {
    auto words = SplitArguments(text);
    if (!words || words->size() < least || words->size() > most) {
        WriteConsoleLine(usage);
        return std::nullopt;
    }
    return words;
}

void RegisterHelpCommand() {
    RegisterGameCommand("help", "Lists the console's commands, or those whose name contains TEXT: help [TEXT]",
                        &ListCommands);
}

}  // namespace sim
