// One console line per ship component: every field of the component itself,
// and its lists in brief (a dump shows them whole).
#pragma once

#include <string>

#include "sim/world/Records.h"

namespace sim {

std::string ComponentSummary(const ComponentInstance& component);

}  // namespace sim
