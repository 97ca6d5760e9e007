// What the three console command handlers share: the game's calling
// convention and the preamble every handler runs before its own work.
#pragma once

#include <string>

#include "frame/settings/Settings.h"
#include "orbx_common/ErrorInfo.h"

namespace Corvanis {

// The eight pointer-sized values the game calls an execute handler with.
struct CommandArguments {
    void* parameters;
    void* scriptData;
    void* thisObject;
    void* containingObject;
    void* script;
    void* locals;
    void* result;
    void* opcodeOffset;
};

// What a handler works with once the preamble has passed.
struct CommandInput {
    std::string blueprintName;
    SettingsFlags settings;  // a copy taken after the optional reload
};

// Reloads the settings when asked to, re-applies the piloting requirement
// form, extracts `asBlueprintName` and prints the parameter messages under
// the handler's prefix. False when the handler must stop.
bool RunCommandPreamble(const char* prefix, const CommandArguments& arguments, CommandInput& input);

// Each prints `prefix + ": ERROR: " + text` or `": INFO: "` on the game console.
void PrintCommandError(const char* prefix, const std::string& text);
void PrintCommandInfo(const char* prefix, const std::string& text);

// The two lines of a command whose work failed: `prefix + ": ERROR: " +
// failure`, then where it stopped and why (ErrorPhaseLine).
void PrintCommandFailure(const char* prefix, const char* failure, const ErrorInfo& error);

}  // namespace Corvanis
