#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/Game.h"

namespace simtest {

ConsoleCapture::ConsoleCapture() {
    sim::SetConsoleObserver([this](const std::string& line) { lines.push_back(line); });
}

ConsoleCapture::~ConsoleCapture() { sim::SetConsoleObserver({}); }

std::vector<std::string> ConsoleCapture::Run(const std::string& line) {
    lines.clear();
    sim::RunConsoleLine(line);
    return lines;
}

void LoadWorldText(const std::string& text) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorldFromText(text, "test.json", error)) << error;
}

std::string WorldTextError(const std::string& text) {
    std::string error;
    if (sim::LoadWorldFromText(text, "test.json", error)) return {};
    return error;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string ExampleWorld(const std::string& name) { return std::string(VELTRANE_EXAMPLE_WORLDS) + "/" + name; }

}  // namespace simtest
