// The arithmetic of 32-bit relative addressing: a relative call reaches
// +-2 GiB from the instruction after it.
#pragma once

#include <cstdint>
#include <limits>

#include "orbx_common/BranchEncoding.h"

namespace Corvanis {

// How far below the game image the trampoline may lie. 2 GiB less 128 MiB,
// so that code anywhere in the image's first 128 MiB still reaches every byte
// of it with a 32-bit displacement.
constexpr std::uintptr_t kTrampolineSearchRange = 0x78000000;

// The lowest acceptable trampoline address for an image at `imageBase`; an
// image closer than the range to address 0 may use everything below it.
constexpr std::uintptr_t TrampolineSearchBound(std::uintptr_t imageBase) {
    return imageBase < kTrampolineSearchRange ? 0 : imageBase - kTrampolineSearchRange;
}

// The displacement a relative call at `site` needs to reach `target`.
constexpr std::int64_t CallDisplacement(std::uintptr_t site, std::uintptr_t target) {
    return static_cast<std::int64_t>(target - (site + sizeof(RelativeCall)));
}

constexpr bool FitsInDisplacement(std::int64_t displacement) {
    return displacement >= std::numeric_limits<std::int32_t>::min() &&
           displacement <= std::numeric_limits<std::int32_t>::max();
}

// Where a relative call at `site` with the displacement goes.
constexpr std::uintptr_t RelativeCallTarget(std::uintptr_t site, std::int32_t displacement) {
    return site + sizeof(RelativeCall) + static_cast<std::uintptr_t>(static_cast<std::int64_t>(displacement));
}

}  // namespace Corvanis
