#include "tests/e2e/harness/GameFolder.h"

#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/Text.h"

namespace e2e {

namespace fs = std::filesystem;

GameFolder::GameFolder(SpaceshipsFolder spaceships) : root_("e2e") {
    fs::create_directories(spaceships == SpaceshipsFolder::Create ? Spaceships() : Plugins());
}

fs::path GameFolder::Game() const { return root_.Native("game"); }

fs::path GameFolder::Plugins() const { return Game() / "Data" / "ORBX" / "Plugins"; }

fs::path GameFolder::Spaceships() const { return Plugins() / "Spaceships"; }

fs::path GameFolder::InstallCorvanis() const { return InstallPlugin(CorvanisModule()); }

fs::path GameFolder::InstallPlugin(const fs::path& module, const std::string& fileName) const {
    const fs::path target = Plugins() / (fileName.empty() ? module.filename() : fs::path(fileName));
    fs::copy_file(module, target, fs::copy_options::overwrite_existing);
    return target;
}

fs::path GameFolder::WriteFile(const fs::path& relative, std::string_view bytes) const {
    const fs::path file = Root() / relative;
    WriteBytes(file, bytes);
    return file;
}

ProcessResult GameFolder::Run(const std::vector<std::string>& arguments, const std::string& input) const {
    std::vector<std::string> all = {"--game-dir", "game"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return RunVeltrane(all, Root(), input);
}

ProcessResult RunVeltrane(const std::vector<std::string>& arguments, const fs::path& startFolder,
                          const std::string& input) {
    ProcessRequest request;
    request.program = VeltraneExecutable();
    request.arguments = arguments;
    request.workingFolder = startFolder;
    request.input = input;
    return RunProcess(request);
}

}  // namespace e2e
