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

// A refusal before a command's work starts: the error text the command has
// always printed, and why in a player's words with what to do next; the
// reason is empty where the error text says it already.
struct Refusal {
    const char* text;
    const char* reason;
};

// `prefix + ": ERROR: " + text`, then the reason as an INFO line. The text is
// the refusal's own with what is known only at the call (a path, a number)
// added.
void PrintCommandRefusal(const char* prefix, const Refusal& refusal, const std::string& text);
inline void PrintCommandRefusal(const char* prefix, const Refusal& refusal) {
    PrintCommandRefusal(prefix, refusal, refusal.text);
}

// The lines of a command whose work failed: `prefix + ": ERROR: " +
// failure`, then where it stopped and why (ErrorPhaseLine), then the
// error's reason and notes as INFO lines.
void PrintCommandFailure(const char* prefix, const char* failure, const ErrorInfo& error);

}  // namespace Corvanis
