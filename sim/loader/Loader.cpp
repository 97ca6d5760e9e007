#include "sim/loader/Loader.h"

#include <algorithm>
#include <cstdio>

#include "sim/loader/VersionCheck.h"

namespace sim::loader {

namespace {

void WriteLine(std::FILE* stream, const std::string& text) {
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fflush(stream);
}

void PrintBootLine(const std::string& text) { WriteLine(stdout, std::string(kLoaderSender) + ": " + text); }

const orbx::PluginVersionData* VersionRecordOf(LibraryHandle library) {
    return static_cast<const orbx::PluginVersionData*>(FindExport(library, orbx::kVersionExport));
}

orbx::LoadFn LoadFunctionOf(LibraryHandle library) {
    return reinterpret_cast<orbx::LoadFn>(FindExport(library, orbx::kLoadExport));
}

}  // namespace

Loader::Loader() : loadInterface_(AttachLoadInterface(this)) {}

Loader::~Loader() { AttachLoadInterface(nullptr); }

void Loader::LoadPlugins(const std::vector<std::filesystem::path>& files) {
    for (const auto& file : files) LoadPlugin(file);
}

void Loader::LoadPlugin(const std::filesystem::path& file) {
    const std::string fileName = file.filename().string();
    std::string error;
    const LibraryHandle library = OpenLibrary(file, error);
    if (library == nullptr) {
        PrintBootLine("refused " + fileName + ": cannot be loaded");
        WriteLine(stderr, std::string(kLoaderSender) + ": " + fileName + ": " + error);
        return;
    }
    if (const std::string refusal = Refusal(library); !refusal.empty()) {
        CloseLibrary(library);
        PrintBootLine("refused " + fileName + ": " + refusal);
        return;
    }

    const std::size_t index = plugins_.size();
    const auto handle = static_cast<orbx::PluginHandle>(index + 1);
    plugins_.push_back({fileName, PluginTitle(*VersionRecordOf(library)), handle, library, true});
    loading_ = handle;
    const bool loaded = LoadFunctionOf(library)(loadInterface_);
    loading_ = 0;
    if (loaded) {
        PrintBootLine("loaded " + fileName + ": " + plugins_[index].title);
        return;
    }
    plugins_[index].active = false;
    listeners_.RemovePlugin(handle);
    PrintBootLine("inactive " + fileName + ": ORBXPlugin_Load returned false");
}

std::string Loader::Refusal(LibraryHandle library) const {
    // Mapping a module twice hands back the same one: its load function must
    // not run a second time.
    const bool mapped = std::any_of(plugins_.begin(), plugins_.end(),
                                    [library](const Plugin& plugin) { return plugin.library == library; });
    if (mapped) return "already loaded";
    const orbx::PluginVersionData* record = VersionRecordOf(library);
    if (record == nullptr) return std::string("no ") + orbx::kVersionExport + " export";
    if (std::string refusal = VersionRefusal(*record); !refusal.empty()) return refusal;
    if (LoadFunctionOf(library) == nullptr) return std::string("no ") + orbx::kLoadExport + " export";
    return {};
}

void Loader::DeliverMessage(std::uint32_t type) const { listeners_.Deliver(kLoaderSender, type); }

bool Loader::RegisterListener(orbx::PluginHandle plugin, const char* sender,
                              orbx::MessageListener listener) {
    if (sender == nullptr || listener == nullptr || !IsActive(plugin)) return false;
    listeners_.Add(plugin, sender, listener);
    return true;
}

bool Loader::IsActive(orbx::PluginHandle plugin) const {
    return std::any_of(plugins_.begin(), plugins_.end(), [plugin](const Plugin& entry) {
        return entry.handle == plugin && entry.active;
    });
}

}  // namespace sim::loader
