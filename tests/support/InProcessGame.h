// The simulated game in the test process: worlds loaded from text, forms
// found by ID, and the console lines that plug-in code prints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"

namespace corvanis_test {

// Loads the world and fails the test with the game's message when it does
// not load.
void LoadWorld(const std::string& json);
void LoadWorldFile(const std::string& path);

// The form with the run-time ID, which must exist.
host::Form* FormWithID(std::uint32_t formID);

// Collects the game's console lines while it exists.
class ConsoleLines {
public:
    ConsoleLines();
    ~ConsoleLines();
    ConsoleLines(const ConsoleLines&) = delete;
    ConsoleLines& operator=(const ConsoleLines&) = delete;

    // The lines printed since the last call.
    std::vector<std::string> Take();

private:
    std::vector<std::string> lines_;
};

// The address of a game object as error texts show it.
std::string AddressText(const void* object);

}  // namespace corvanis_test
