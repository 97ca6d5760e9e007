// The worlds of examples/worlds/ as the in-process game's world, for the
// targets that import into one.
#pragma once

#include <string>

#include "sim/worldfile/Json.h"

namespace corvanis_fuzz {

// The text of examples/worlds/<fileName>.
std::string ExampleWorld(const std::string& fileName);

// Makes the world file's text the game's world; one that does not load ends
// the run.
void LoadWorldText(const std::string& text);

// A world file parsed once, to be made the game's world again and again at
// half the cost of loading its text.
class ParsedWorld {
public:
    explicit ParsedWorld(const std::string& text);
    void Load() const;

private:
    sim::Json root_;
};

}  // namespace corvanis_fuzz
