// Running a console command as the game calls it: the preamble every command
// shares, then the command's work, and no exception ever reaching the game.
#pragma once

#include "frame/commands/CommandWork.h"

namespace Corvanis {

// True when the work succeeded. An exception from the preamble or the work
// ends the command with the work's failure text and false.
bool ExecuteCommand(const CommandWork& work, const CommandArguments& arguments);

// The execute handler the game calls for the command that does `work`.
template <const CommandWork& work>
bool CommandHandler(void* parameters, void* scriptData, void* thisObject, void* containingObject, void* script,
                    void* locals, void* result, void* opcodeOffset) {
    return ExecuteCommand(
        work, {parameters, scriptData, thisObject, containingObject, script, locals, result, opcodeOffset});
}

}  // namespace Corvanis
