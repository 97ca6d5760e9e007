#include "frame/commands/CommandExecution.h"

#include <string>

#include "frame/log/PluginLog.h"

namespace Corvanis {

bool ExecuteCommand(const CommandWork& work, const CommandArguments& arguments) {
    try {
        CommandInput input;
        if (!RunCommandPreamble(work.messagePrefix, arguments, input)) return false;
        TheLog().Write(std::string(work.messagePrefix) + ": runs with \"" + input.blueprintName + "\"");
        return work.run(input);
    } catch (...) {
        // The report itself may fail as well; the game's console must still
        // not see the exception.
        try {
            PrintCommandError(work.messagePrefix, work.failureText);
        } catch (...) {
        }
        return false;
    }
}

}  // namespace Corvanis
