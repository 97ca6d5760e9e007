// The plug-in's one door to the game. Every game operation is reached through
// the table that Game() returns; record layouts come from host/layouts.h.
#pragma once

#include <cstdint>

#include "host/game_interface.h"
#include "host/layouts.h"

namespace host {

using veltrane::Form;

// Resolves the game's interface from the game's main module, once. False when
// the main module does not export a compatible interface.
bool Bind();

// The resolved interface; only valid after Bind() returned true.
const veltrane::GameInterface& Game();

// Prints the text as one line on the game console, verbatim: it is handed to
// the game's printf-style routine as an argument, never as the format.
void PrintConsole(const char* text);

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

template <class Component>
Component* FindComponent(Form* form, const char* typeName) {
    return static_cast<Component*>(FindComponent(form, typeName));
}

}  // namespace host
