// Reads a world file into a world that is not yet the game's: a file that
// fails leaves the running game as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/GameState.h"
#include "sim/worldfile/Json.h"

namespace sim {

constexpr const char* kWorldFormat = "veltrane-world 1";

// None on a bad file; `error` then reads "<source>: <entry>: <problem>".
std::optional<WorldContents> ReadWorldText(std::string_view text, const std::string& sourceName,
                                           std::string& error);

// As ReadWorldText, from the file's text parsed already: a world loaded
// again and again (a fuzz target's) is parsed once.
std::optional<WorldContents> ReadWorldJson(const Json& root, const std::string& sourceName, std::string& error);

}  // namespace sim
