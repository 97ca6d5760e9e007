#include "tests/parity/GameBuild.h"

#include "tests/e2e/harness/Paths.h"

namespace parity {

namespace fs = std::filesystem;

e2e::ProcessResult GameBuild::Run(const fs::path& startFolder, const std::vector<std::string>& arguments) const {
    e2e::ProcessRequest request;
    request.program = launcher.empty() ? veltrane : launcher;
    if (!launcher.empty()) request.arguments.push_back(veltrane.string());
    request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
    request.workingFolder = startFolder;
    return e2e::RunProcess(request);
}

GameBuild LinuxBuild() { return {"linux", e2e::VeltraneExecutable(), e2e::CorvanisModule(), {}}; }

bool FindWindowsBuild(GameBuild& build, std::string& missing) {
    const fs::path folder = CORVANIS_WINDOWS_BUILD;
    build = {"windows", folder / "sim" / "veltrane.exe", folder / "Corvanis.dll", CORVANIS_WINE};
    for (const fs::path& needed : {build.veltrane, build.corvanis, build.launcher}) {
        if (!fs::exists(needed)) {
            missing = needed.string() + " is missing: build the windows preset first (scripts/test does)";
            return false;
        }
    }
    return true;
}

}  // namespace parity
