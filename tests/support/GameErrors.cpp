#include "tests/support/GameErrors.h"

#include <gtest/gtest.h>

#include "sim/console/ConsoleOutput.h"

namespace corvanis_test {

namespace {

ExpectedGameErrors* g_expected = nullptr;

void FailTheTest(const std::string& text) {
    if (g_expected != nullptr) {
        g_expected->texts.push_back(text);
        return;
    }
    ADD_FAILURE() << "Game error: " << text;
}

class GameErrorListener final : public ::testing::EmptyTestEventListener {
    void OnTestProgramStart(const ::testing::UnitTest&) override { sim::SetGameErrorResponse(&FailTheTest); }
    void OnTestProgramEnd(const ::testing::UnitTest&) override { sim::SetGameErrorResponse({}); }
};

// Linked into each test program as a source of its own, so that no program
// runs the game without it.
const bool kListening = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new GameErrorListener);
    return true;
}();

}  // namespace

ExpectedGameErrors::ExpectedGameErrors() : outer_(g_expected) { g_expected = this; }
ExpectedGameErrors::~ExpectedGameErrors() { g_expected = outer_; }

}  // namespace corvanis_test
