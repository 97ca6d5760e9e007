// What the loader and the test plug-ins print, and the example worlds.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

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
// The second playthrough: another load order, a home ship made at run time.
std::filesystem::path SecondPlaythroughWorld();

// The line ImportShipLayout prints when the layout went in.
extern const std::string kLayoutImportedLine;

// Runs the blueprint tool with the arguments, started in the folder.
ProcessResult RunBlueprintTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder);

// The line the loader prints for the installed Corvanis.
std::string CorvanisLoadedLine();

}  // namespace e2e
