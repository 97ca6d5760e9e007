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
                                   const std::string& marker, const std::string& settings) {
    const fs::path markerFile = folder.Game() / marker;
    std::atomic<bool> gameEnded = false;
    std::thread rewriter([&] {
        while (!gameEnded) {
            if (fs::exists(markerFile)) {
                WriteSettings(folder, settings);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    ProcessResult result = folder.Run(arguments);
    gameEnded = true;
    rewriter.join();
    return result;
}

}  // namespace e2e
