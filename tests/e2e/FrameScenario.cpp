#include "tests/e2e/FrameScenario.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace e2e {

namespace fs = std::filesystem;

std::string WorldWithTables(const std::string& scriptEntries, const std::string& consoleEntries,
                            const std::string& scriptFirstOpcode, const std::string& consoleFirstOpcode) {
    return R"({"format": "veltrane-world 1", "files": [{"name": "Veltrane.vmf"}], "player": null,
  "console": {
    "scriptCommands": {"firstOpcode": ")" +
           scriptFirstOpcode + R"(", "entries": [)" + scriptEntries + R"(]},
    "consoleCommands": {"firstOpcode": ")" +
           consoleFirstOpcode + R"(", "entries": [)" + consoleEntries + R"(]}
  }
})";
}

fs::path SettingsFile(const GameFolder& folder) { return folder.Plugins() / "Corvanis.ini"; }

void WriteSettings(const GameFolder& folder, const std::string& bytes) { WriteBytes(SettingsFile(folder), bytes); }

ProcessResult RunRewritingSettings(const GameFolder& folder, const std::vector<std::string>& arguments,
                                   const std::vector<SettingsRewrite>& rewrites) {
    std::atomic<bool> gameEnded = false;
    std::thread rewriter([&] {
        for (const SettingsRewrite& rewrite : rewrites) {
            const fs::path markerFile = folder.Game() / rewrite.marker;
            while (!fs::exists(markerFile)) {
                if (gameEnded) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            WriteSettings(folder, rewrite.settings);
        }
    });
    ProcessResult result = folder.Run(arguments);
    gameEnded = true;
    rewriter.join();
    return result;
}

ProcessResult RunRewritingSettings(const GameFolder& folder, const std::vector<std::string>& arguments,
                                   const std::string& marker, const std::string& settings) {
    return RunRewritingSettings(folder, arguments, {{marker, settings}});
}

}  // namespace e2e
