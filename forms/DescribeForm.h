#pragma once

#include <string>

#include "host/host.h"

namespace Corvanis {

// One line that lets a person find the form in the game's data and in
// memory: "[0001A2B3 | 1F3C2A8B0 | 40|MISC | 12|0xC | Crate | CrateLarge01]"
// (ID, object address, then each part that is switched on: type code and
// name, file-list index, display name, editor ID).
std::string DescribeForm(const host::Form* form, bool withType = true, bool withFileIndex = true,
                         bool withName = true, bool withEditorID = true);

}  // namespace Corvanis
