// Running a program as a child process with its standard streams captured.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/harness/Text.h"

namespace e2e {

struct ProcessRequest {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;  // empty: the caller's
    std::string input;                    // all of standard input; then it ends
    std::chrono::milliseconds timeout{std::chrono::seconds(120)};
};

struct ProcessResult {
    int exitCode = -1;      // 128 + the signal for a child ended by a signal
    bool timedOut = false;  // the child was killed at the timeout
    std::string out;
    std::string err;

    Lines OutLines() const;
    Lines ErrLines() const;
};

// Starts the program, feeds its input, collects both output streams until it
// ends, and kills it when the timeout passes. A program that cannot be
// started gives exit code -1 and the reason on `err`.
ProcessResult RunProcess(const ProcessRequest& request);

}  // namespace e2e
