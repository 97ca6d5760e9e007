// corvanis-blueprint check on any bytes, as a player's file: the report for
// people without a data file list, and the report for programs (JSON, which
// nlohmann/json refuses to write with bytes that are not UTF-8) with one.
// The file can always be read, so the check answers "no problem" or
// "problems", never an error. A broken promise ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/support/Fail.h"
#include "fuzz/support/InMemoryBlueprint.h"
#include "tools/blueprint/Commands.h"

namespace {

using corvanis_fuzz::Fail;

constexpr const char* kBlueprintName = "Ship.txt";
constexpr const char* kDataFileListName = "load order.txt";

// A load order that holds some of the data files the seeds' forms come from.
constexpr const char* kDataFileList = "# A player's load order\nVeltrane.vmf\n*Frontier.vmf\n\nDeckhands.vmf\n";

class Checker {
public:
    Checker() : folder_(kBlueprintName) {
        std::ofstream(folder_.Path() + kDataFileListName, std::ios::binary) << kDataFileList;
    }

    void Run(std::string_view bytes) {
        std::ofstream(Blueprint(), std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
        CheckFound(Check({{Blueprint()}, std::nullopt, false}));
        CheckFound(Check({{Blueprint()}, folder_.Path() + kDataFileListName, true}));
    }

private:
    std::string Blueprint() const { return folder_.Path() + kBlueprintName; }

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

    corvanis_fuzz::BlueprintFolder folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Checker checker;
    checker.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
