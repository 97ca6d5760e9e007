#include "import/GameFormResolver.h"

#include <string>

#include "host/host.h"

namespace Corvanis {

veltrane::Form* GameFormResolver::LookupForm(std::string_view fileName, std::uint32_t localFormID) {
    const std::string name(fileName);
    host::ScopedFixedString fixedName(name.c_str());
    return host::Game().LookupFormByFileAndLocalID(fixedName.get(), localFormID);
}

std::optional<std::uint8_t> GameFormResolver::FormType(const veltrane::Form* form) {
    return host::Game().FormQueryType(form);
}

veltrane::Form* GameFormResolver::BoundObject(veltrane::Form* form) { return host::Game().CastToBoundObject(form); }

}  // namespace Corvanis
