// The readers' forms as the running game knows them.
#pragma once

#include "import/reading/FormResolver.h"

namespace Corvanis {

class GameFormResolver final : public FormResolver {
public:
    // Asks the game with a fixed string of the name, made for the call and
    // released right after it.
    veltrane::Form* LookupForm(std::string_view fileName, std::uint32_t localFormID) override;
    // The game's virtual type query.
    std::optional<std::uint8_t> FormType(const veltrane::Form* form) override;
    veltrane::Form* BoundObject(veltrane::Form* form) override;
};

}  // namespace Corvanis
