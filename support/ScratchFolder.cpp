#include "support/ScratchFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace dev_support {

namespace fs = std::filesystem;

namespace {

// create_directory makes no folder whose name is taken, so two processes
// that draw the same number cannot end up sharing one.
fs::path CreateUniqueFolder(std::string_view purpose) {
    std::random_device random;
    const std::string prefix = "corvanis-" + std::string(purpose) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
    throw std::runtime_error("cannot create a folder in " + fs::temp_directory_path().string());
}

std::string AsTheGameSpellsIt(const fs::path& folder) {
    std::string spelled = folder.string();
    std::replace(spelled.begin(), spelled.end(), '/', '\\');
    return spelled + '\\';
}

}  // namespace

ScratchFolder::ScratchFolder(std::string_view purpose)
    : path_(CreateUniqueFolder(purpose)), pluginPath_(AsTheGameSpellsIt(path_)) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ScratchFolder::Empty() const {
    fs::remove_all(path_);
    fs::create_directory(path_);
}

void ScratchFolder::WriteFile(const std::string& name, std::string_view bytes) const {
    std::ofstream file(Native(name), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchFolder::ReadFile(const std::string& name) const {
    std::ifstream file(Native(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::map<std::string, std::string> ScratchFolder::Contents() const {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::recursive_directory_iterator(path_)) {
        const std::string name = fs::relative(entry.path(), path_).generic_string();
        contents[name] = entry.is_directory() ? "<folder>" : ReadFile(name);
    }
    return contents;
}

}  // namespace dev_support
