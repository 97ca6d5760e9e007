#include "tests/support/InProcessGame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "sim/Game.h"

namespace corvanis_test {

void LoadWorld(const std::string& json) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorldFromText(json, "test world", error)) << error;
}

void LoadWorldFile(const std::string& path) {
    std::string error;
    ASSERT_TRUE(sim::LoadWorld(path, error)) << error;
}

host::Form* FormWithID(std::uint32_t formID) {
    host::Form* form = host::Game().LookupFormByID(formID);
    EXPECT_NE(form, nullptr) << "no form " << std::hex << formID;
    return form;
}

ConsoleLines::ConsoleLines() {
    sim::SetConsoleObserver([this](const std::string& line) { lines_.push_back(line); });
}

ConsoleLines::~ConsoleLines() { sim::SetConsoleObserver({}); }

std::vector<std::string> ConsoleLines::Take() { return std::exchange(lines_, {}); }

std::string AddressText(const void* object) {
    char text[32];
    std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(object)));
    return text;
}

}  // namespace corvanis_test
