// The plug-in's log, Data\ORBX\Plugins\Corvanis.log: what a player attaches
// when they ask for help. It holds the versions at start-up and every command
// with the lines it printed on the console, and with them every backup it
// wrote and every warning; each line carries the local time. The log is a
// help, never a condition: a log that cannot be written is skipped, and no
// command fails or waits for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace Corvanis {

inline constexpr const char* kPluginLogPath = ".\\Data\\ORBX\\Plugins\\Corvanis.log";
// Past this size a log is moved here at start-up, replacing the older one,
// so that the two together stay small enough to attach.
inline constexpr std::size_t kPluginLogLimit = 1024 * 1024;
inline constexpr const char* kOlderLogSuffix = ".1";

class PluginLog {
public:
    PluginLog(platform::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    // Moves a log past the limit aside. Called once, before the first line.
    void Start() noexcept;
    // Appends the text as one line after the local time.
    void Write(std::string_view text) noexcept;

private:
    bool PastLimit();

    platform::FileSystem& files_;
    std::string path_;
};

// The log in the game's plug-in folder.
PluginLog& TheLog();

// Starts the log with the plug-in's and the game's versions, and has every
// console line the plug-in prints written to it as well.
void StartPluginLog(std::uint32_t gameRuntimeVersion) noexcept;

}  // namespace Corvanis
