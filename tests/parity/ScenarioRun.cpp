#include "tests/parity/ScenarioRun.h"

#include "support/ScratchFolder.h"
#include "tests/e2e/harness/Text.h"

namespace parity {

namespace fs = std::filesystem;

namespace {

void CaptureFiles(const fs::path& game, const fs::path& module, const std::string& run, Results& results) {
    for (const auto& entry : fs::recursive_directory_iterator(game)) {
        if (entry.is_directory() || entry.path().filename() == module.filename()) continue;
        results[run + " file " + fs::relative(entry.path(), game).generic_string()] = e2e::ReadBytes(entry.path());
    }
}

}  // namespace

std::function<std::vector<std::string>(const fs::path&)> ConsoleLines(std::vector<std::string> lines) {
    return [lines = std::move(lines)](const fs::path&) { return lines; };
}

Results RunScenario(const Scenario& scenario, const GameBuild& build) {
    const dev_support::ScratchFolder root("parity");
    const fs::path game = root.Native("game");
    fs::create_directories(game / "Data" / "ORBX" / "Plugins" / "Spaceships");
    fs::copy_file(build.corvanis, game / "Data" / "ORBX" / "Plugins" / build.corvanis.filename());

    Results results;
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        const std::string run = "run " + std::to_string(i + 1);
        if (!step.world.empty()) {
            e2e::WriteBytes(root.Path() / "world.json", step.world);
        } else {
            fs::copy_file(root.Path() / "dump.json", root.Path() / "world.json", fs::copy_options::overwrite_existing);
        }
        fs::remove(root.Path() / "dump.json");
        for (const auto& [path, bytes] : step.files) e2e::WriteBytes(game / path, bytes);
        std::vector<std::string> arguments = {"--game-dir", "game", "--world", "world.json", "--dump", "dump.json"};
        for (const std::string& line : step.console(game)) arguments.insert(arguments.end(), {"--run", line});
        const e2e::ProcessResult result = build.Run(root.Path(), arguments);
        results[run + " console"] = result.out;
        results[run + " errors"] = result.err;
        results[run + " exit code"] = std::to_string(result.exitCode);
        results[run + " dump"] = fs::exists(root.Path() / "dump.json") ? e2e::ReadBytes(root.Path() / "dump.json") : "";
        CaptureFiles(game, build.corvanis, run, results);
    }
    return results;
}

}  // namespace parity
