// Game errors in tests that run the game in-process. The game's response to
// an error is to end, as a crash would; here it fails the running test
// instead, unless the test expects it.
#pragma once

#include <string>
#include <vector>

namespace corvanis_test {

// While one lives, game errors are collected in `texts` instead of failing
// the test: for tests that commit a breach on purpose.
class ExpectedGameErrors {
public:
    ExpectedGameErrors();
    ~ExpectedGameErrors();
    ExpectedGameErrors(const ExpectedGameErrors&) = delete;
    ExpectedGameErrors& operator=(const ExpectedGameErrors&) = delete;

    std::vector<std::string> texts;

private:
    ExpectedGameErrors* outer_;
};

}  // namespace corvanis_test
