// Writing what forms carry: ship components, with every field of every
// record, and extra data.
#pragma once

#include "host/layouts/GameObjects.h"
#include "sim/world/World.h"
#include "sim/worldfile/Json.h"

namespace sim {

Json WriteComponents(const World& world, const veltrane::Form& form);
Json WriteExtraData(const World& world, const veltrane::ExtraDataList& extra);
// A form reference, or null for none.
Json FormRefJson(const World& world, const veltrane::Form* form);
// A form ID as a form reference when a form has it, else "#XXXXXXXX".
Json FormIDJson(const World& world, std::uint32_t formID);

}  // namespace sim
