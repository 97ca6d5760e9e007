#include "import/reading/FormResolver.h"

namespace Corvanis {

bool HasFormType(FormResolver& resolver, const veltrane::Form* form, std::uint8_t type) {
    const std::optional<std::uint8_t> known = resolver.FormType(form);
    return !known || *known == type;
}

}  // namespace Corvanis
