#include "sim/launcher/StdinIsTerminal.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>

namespace sim::launcher {

#if defined(_WIN32)
bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }
#else
bool StdinIsTerminal() { return isatty(fileno(stdin)) != 0; }
#endif

}  // namespace sim::launcher
