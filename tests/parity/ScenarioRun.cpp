#include "tests/parity/ScenarioRun.h"

#include <random>
#include <stdexcept>

#include "tests/e2e/harness/Text.h"

namespace parity {

namespace fs = std::filesystem;

namespace {

fs::path CreateUniqueFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / ("corvanis-parity-" + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
    throw std::runtime_error("cannot create a folder in " + fs::temp_directory_path().string());
}

// Removed when the scenario ends.
class Root {
public:
    Root() : path_(CreateUniqueFolder()) {}
    ~Root() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

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
    const Root root;
    const fs::path game = root.path() / "game";
    fs::create_directories(game / "Data" / "ORBX" / "Plugins" / "Spaceships");
    fs::copy_file(build.corvanis, game / "Data" / "ORBX" / "Plugins" / build.corvanis.filename());

    Results results;
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        const std::string run = "run " + std::to_string(i + 1);
        if (!step.world.empty()) {
            e2e::WriteBytes(root.path() / "world.json", step.world);
        } else {
            fs::copy_file(root.path() / "dump.json", root.path() / "world.json", fs::copy_options::overwrite_existing);
        }
        fs::remove(root.path() / "dump.json");
        for (const auto& [path, bytes] : step.files) e2e::WriteBytes(game / path, bytes);
        std::vector<std::string> arguments = {"--game-dir", "game", "--world", "world.json", "--dump", "dump.json"};
        for (const std::string& line : step.console(game)) arguments.insert(arguments.end(), {"--run", line});
        const e2e::ProcessResult result = build.Run(root.path(), arguments);
        results[run + " console"] = result.out;
        results[run + " errors"] = result.err;
        results[run + " exit code"] = std::to_string(result.exitCode);
        results[run + " dump"] = fs::exists(root.path() / "dump.json") ? e2e::ReadBytes(root.path() / "dump.json") : "";
        CaptureFiles(game, build.corvanis, run, results);
    }
    return results;
}

}  // namespace parity
