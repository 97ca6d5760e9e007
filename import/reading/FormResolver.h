// How the readers find the forms a blueprint names, apart from any game. The
// plug-in answers through the running game (GameFormResolver); a tool answers
// from a list of data files, or accepts every form. Readers never look inside
// a form: to them it is a handle that is null for "no form".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "host/layouts/DataFiles.h"
#include "host/layouts/GameObjects.h"

namespace Corvanis {

class FormResolver {
public:
    virtual ~FormResolver() = default;

    // The form that the loaded data file of this name holds under the
    // file-local ID, or null when there is none. A resolver without a game
    // answers a non-null handle of its own for a form it accepts.
    virtual veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) = 0;

    // The form's type code (4 keyword, 50 NPC, 65 generic base form ...), or
    // none when this resolver cannot know it.
    virtual std::optional<std::uint8_t> FormType(const veltrane::Form* form) = 0;

    // The form as a bound object (a thing that can be placed or held), or
    // null when it is not one. A resolver that cannot tell answers the form.
    virtual veltrane::Form* BoundObject(veltrane::Form* form) = 0;

    // Whether a data file of this name is loaded, so that a form reference
    // that finds nothing in it names a form the file does not hold, rather
    // than a file the player lacks. A resolver that cannot tell takes every
    // file as loaded.
    virtual bool DataFileLoaded(std::string_view /*fileName*/) { return true; }
};

// Whether the form is of the type, as far as the resolver knows: a resolver
// that cannot know type codes accepts every form.
bool HasFormType(FormResolver& resolver, const veltrane::Form* form, std::uint8_t type);

}  // namespace Corvanis
