// A fresh game installation for one test, removed when the test ends:
//
//   <root>/                      the folder veltrane is started in
//   <root>/game/                 the game folder
//   <root>/game/Data/ORBX/Plugins/
//   <root>/game/Data/ORBX/Plugins/Spaceships/   (unless left out)
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/ScratchFolder.h"
#include "tests/e2e/harness/Process.h"

namespace e2e {

class GameFolder {
public:
    enum class SpaceshipsFolder { Create, Omit };

    explicit GameFolder(SpaceshipsFolder spaceships = SpaceshipsFolder::Create);

    const std::filesystem::path& Root() const { return root_.Path(); }
    std::filesystem::path Game() const;
    std::filesystem::path Plugins() const;
    std::filesystem::path Spaceships() const;

    // Copies the built plug-in into the plug-in folder, as a player installs
    // it. Returns where it now is.
    std::filesystem::path InstallCorvanis() const;
    // Copies a module into the plug-in folder under the file name given, or
    // its own.
    std::filesystem::path InstallPlugin(const std::filesystem::path& module,
                                        const std::string& fileName = {}) const;

    // Writes a file under the root; returns its full path.
    std::filesystem::path WriteFile(const std::filesystem::path& relative, std::string_view bytes) const;

    // Runs veltrane started in the root with "--game-dir game" and the
    // arguments.
    ProcessResult Run(const std::vector<std::string>& arguments, const std::string& input = {}) const;

private:
    dev_support::ScratchFolder root_;
};

// Runs veltrane with exactly these arguments, started in the folder.
ProcessResult RunVeltrane(const std::vector<std::string>& arguments, const std::filesystem::path& startFolder,
                          const std::string& input = {});

}  // namespace e2e
