// Whether a person types on standard input (the console then shows a prompt).
#pragma once

namespace sim::launcher {

bool StdinIsTerminal();

}  // namespace sim::launcher
