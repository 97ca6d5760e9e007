// The plug-in's one door to the game. Every game operation is reached through
// the table that Game() returns; record layouts come from host/layouts/.
#pragma once

#include <cstdint>
#include <string>

#include "host/game_interface.h"
#include "host/layouts/GameObjects.h"
#include "host/layouts/StringsAndArrays.h"

namespace host {

using veltrane::Form;

// What keeps the plug-in from using this interface, as "no game interface",
// "game interface version 2, expected 1" or "game interface without
// FindComponent"; empty when it is the interface the plug-in was built
// against with every operation and global the plug-in relies on.
std::string GameInterfaceMismatch(const veltrane::GameInterface* game);

// Resolves the game's interface from the game's main module, once, and tells
// what does not fit in it; empty when the plug-in can use it.
std::string Bind();

// The resolved interface; only valid after Bind() found nothing amiss.
const veltrane::GameInterface& Game();

// Prints the text as one line on the game console, verbatim: it is handed to
// the game's printf-style routine as an argument, never as the format.
void PrintConsole(const char* text);

// Hands every line printed through PrintConsole to `echo` as well, after the
// game has it; null stops it. The plug-in's log listens here.
void SetConsoleEcho(void (*echo)(const char* text));

// A game fixed string made for one call and released when the scope ends.
class ScopedFixedString {
public:
    explicit ScopedFixedString(const char* text);
    ~ScopedFixedString();
    ScopedFixedString(const ScopedFixedString&) = delete;
    ScopedFixedString& operator=(const ScopedFixedString&) = delete;

    const veltrane::FixedString* get() const { return &string_; }

private:
    veltrane::FixedString string_{};
};

// The form's component of the given game type name (index 0), or null.
void* FindComponent(Form* form, const char* typeName);

// The component of the layout's type, found by its type name.
template <class Component>
Component* FindComponent(Form* form) {
    return static_cast<Component*>(FindComponent(form, Component::kTypeName));
}

}  // namespace host
