#include "fuzz/support/Playthrough.h"

#include <fstream>
#include <iterator>

#include "fuzz/support/Fail.h"
#include "sim/Game.h"
#include "sim/GameState.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/worldfile/WorldReader.h"

namespace corvanis_fuzz {

namespace {

// The game would crash where it finds a game error: a finding, whose input
// libFuzzer keeps only when the run ends in abort.
const bool kGameErrorsAreFindings = [] {
    sim::SetGameErrorResponse([](const std::string& text) { Fail("Game error: " + text); });
    return true;
}();

}  // namespace

std::string ExampleWorld(const std::string& fileName) {
    std::ifstream file(CORVANIS_EXAMPLE_WORLDS "/" + fileName, std::ios::binary);
    if (!file) Fail("examples/worlds/" + fileName + " cannot be read");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void LoadWorldText(const std::string& text) {
    if (std::string error; !sim::LoadWorldFromText(text, "fuzz world", error)) Fail(error);
}

ParsedWorld::ParsedWorld(const std::string& text) {
    std::string error;
    auto root = sim::ParseJsonText(text, error);
    if (!root) Fail(error);
    root_ = std::move(*root);
}

void ParsedWorld::Load() const {
    std::string error;
    auto contents = sim::ReadWorldJson(root_, "fuzz world", error);
    if (!contents) Fail(error);
    sim::ActivateWorld(sim::TheGame(), std::move(*contents));
}

}  // namespace corvanis_fuzz
