// corvanis-blueprint check on any bytes, as a player's file: the report for
// people without a data file list, and the report for programs (JSON, which
// nlohmann/json refuses to write with bytes that are not UTF-8) with one.
// The file can always be read, so the check answers "no problem" or
// "problems", never an error. A broken promise ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/support/Fail.h"
#include "support/ScratchFolder.h"
#include "tools/blueprint/Commands.h"

namespace {

using corvanis_fuzz::Fail;

constexpr const char* kBlueprintName = "Ship.txt";
constexpr const char* kDataFileListName = "load order.txt";

// A load order that holds some of the data files the seeds' forms come from.
constexpr const char* kDataFileList = "# A player's load order\nVeltrane.vmf\n*Frontier.vmf\n\nDeckhands.vmf\n";

class Checker {
public:
    Checker() { folder_.WriteFile(kDataFileListName, kDataFileList); }

    void Run(std::string_view bytes) {
        folder_.WriteFile(kBlueprintName, bytes);
        CheckFound(Check({{Blueprint()}, std::nullopt, false}));
        CheckFound(Check({{Blueprint()}, folder_.Native(kDataFileListName).string(), true}));
    }

private:
    std::string Blueprint() const { return folder_.Native(kBlueprintName).string(); }

    // The exit code.
    static int Check(const blueprint_tool::CheckOptions& options) {
        std::ostringstream out, err;
        return blueprint_tool::RunCheck(options, out, err);
    }

    static void CheckFound(int exitCode) {
        if (exitCode != blueprint_tool::kExitClean && exitCode != blueprint_tool::kExitFound) {
            Fail("Broken: a blueprint that can be read is checked, but the exit code is " + std::to_string(exitCode));
        }
    }

    const dev_support::ScratchFolder folder_{"fuzz"};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Checker checker;
    checker.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
