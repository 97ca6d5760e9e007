// A process locale that writes decimal commas, for code that must read and
// write numbers the same in every locale.
#pragma once

#include <string>

namespace corvanis_test {

// A locale name this system's C runtime knows and that writes 1.5 as "1,5",
// or empty. On Linux the build may have made one for the tests; LOCPATH then
// points there, for this process and for those it starts.
std::string CommaLocale();

}  // namespace corvanis_test
