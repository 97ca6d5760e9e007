// A fresh, empty folder for one test under the working folder, named after
// the running test.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace corvanis_test {

class ScratchFolder {
public:
    ScratchFolder();

    // The folder as the plug-in spells paths: ".\scratch\<test>\".
    const std::string& PluginPath() const { return pluginPath_; }
    std::filesystem::path Native(const std::string& name) const { return native_ / name; }

    // Writes the bytes exactly as given.
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    // Everything in the folder and below, by path relative to it ('/'
    // between names): a file's bytes, or "<folder>".
    std::map<std::string, std::string> Contents() const;

private:
    std::filesystem::path native_;
    std::string pluginPath_;
};

}  // namespace corvanis_test
