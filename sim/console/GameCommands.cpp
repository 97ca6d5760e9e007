#include "sim/console/GameCommands.h"

#include "sim/console/commands/CommandGroups.h"

namespace sim {

namespace {

std::vector<GameCommandDef>& Registry() {
    static auto* registry = new std::vector<GameCommandDef>;
    return *registry;
}

}  // namespace

const std::vector<GameCommandDef>& GameCommandRegistry() { return Registry(); }

void RegisterGameCommand(const std::string& name, const std::string& help, GameCommandHandler handler) {
    for (GameCommandDef& existing : Registry()) {
        if (existing.name == name) {
            existing.help = help;
            existing.handler = std::move(handler);
            return;
        }
    }
    Registry().push_back({name, help, std::move(handler)});
}

void RegisterBuiltInCommands() {
    RegisterHelpCommand();
    RegisterInspectionCommands();
    RegisterStagingCommands();
}

}  // namespace sim
