// A load order with files of all three slot kinds at indices that show in
// their texts: Frontier.vmf at compile index 1A, Extra.vmf at FE index 012,
// Crew.vmf at FD index 05; and forms that stage every way a form can have or
// lack a home file.
#pragma once

#include <string>

namespace corvanis_test {

// The world, with `forms` (JSON objects joined by commas) after its own.
std::string LoadOrderWorld(const std::string& forms = {});

}  // namespace corvanis_test
