// Helpers for tests that run the simulated game in-process.
#pragma once

#include <string>
#include <vector>

namespace simtest {

// Collects the console lines printed while it exists.
class ConsoleCapture {
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    // The lines one console line prints.
    std::vector<std::string> Run(const std::string& line);
    std::vector<std::string> lines;
};

// Loads a world from text and fails the test with the loader's message when
// it does not load.
void LoadWorldText(const std::string& text);

// The error a world text is refused with (empty when it loads).
std::string WorldTextError(const std::string& text);

std::string ReadFile(const std::string& path);
std::string ExampleWorld(const std::string& name);

}  // namespace simtest
