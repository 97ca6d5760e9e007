// A folder of its own under the system's temporary folder, made empty under
// a name no other folder there has and removed with everything in it when
// the object goes: runs side by side, or one after a run that crashed, never
// meet each other's files.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace dev_support {

class ScratchFolder {
public:
    // Named "corvanis-<purpose>-<number>": one that a killed process left
    // behind tells what made it.
    explicit ScratchFolder(std::string_view purpose = "scratch");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Native(const std::string& name) const { return path_ / name; }
    // The folder as the game hands folders to the plug-in: '\' between names
    // and at the end, which the POSIX layer turns back into '/'.
    const std::string& PluginPath() const { return pluginPath_; }

    // Removes everything in the folder, for a run that starts over in it.
    void Empty() const;

    // Writes the bytes exactly as given.
    void WriteFile(const std::string& name, std::string_view bytes) const;
    std::string ReadFile(const std::string& name) const;
    // Everything in the folder and below, by path relative to it ('/'
    // between names): a file's bytes, or "<folder>".
    std::map<std::string, std::string> Contents() const;

private:
    std::filesystem::path path_;
    std::string pluginPath_;
};

}  // namespace dev_support
