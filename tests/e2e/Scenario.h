// What the test plug-ins print, and the tests that need the game's own world
// and console.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "tests/e2e/harness/GameFolder.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/Text.h"

namespace e2e {

// The lines a recorder-built plug-in prints while its load function runs
// with the handle, when the loader answers as it should.
Lines RecorderLoadLines(const std::string& tag, int handle);

// The line a recorder prints for a message from the loader without data,
// and the line it prints on the data-loaded message about marker.txt.
std::string RecorderMessageLine(const std::string& tag, int type);
std::string RecorderMarkerLine(const std::string& tag, const std::string& content);

Lines Concatenated(std::initializer_list<Lines> parts);

std::filesystem::path StarterWorld();

// For scenarios that run the game's own console commands or load world
// files: they need the simulated world, whose example worlds come with it.
class WithGameWorld : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(StarterWorld())) {
            GTEST_SKIP() << "needs the game's world and console (" << StarterWorld().string() << ")";
        }
    }
};

}  // namespace e2e
