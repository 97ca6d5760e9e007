#include "platform/platform.h"

namespace platform {

void UseUtf8ConsoleAndPaths() {}

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace platform
