// Blueprints as the plug-in's own export writes them, made once per test
// process.
#pragma once

#include <string>

namespace corvanis_test {

// The starter world's ship as the first playthrough exports it. Loads the
// starter world while it is made, the first time only.
const std::string& PathfinderBlueprint();

}  // namespace corvanis_test
