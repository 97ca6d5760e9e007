#include "frame/log/PluginLog.h"

#include "format/Timestamp.h"
#include "frame/startup/PluginTitle.h"
#include "host/host.h"

namespace Corvanis {

namespace {

// "YYYY-MM-DD HH:MM:SS": the blueprint's time stamp without its fraction.
constexpr std::size_t kTimeLength = 19;

std::string RuntimeVersionText(std::uint32_t version) {
    return std::to_string(version >> 24) + "." + std::to_string((version >> 16) & 0xFF) + "." +
           std::to_string((version >> 4) & 0xFFF) + "." + std::to_string(version & 0xF);
}

void EchoToLog(const char* text) { TheLog().Write(text); }

}  // namespace

bool PluginLog::PastLimit() {
    platform::FileHandle file = platform::kNoFile;
    if (!files_.OpenForReading(path_, file)) return false;
    std::string bytes;
    const bool read = files_.ReadWhole(file, bytes);
    files_.Close(file);
    return read && bytes.size() > kPluginLogLimit;
}

void PluginLog::Start() noexcept {
    try {
        if (!PastLimit()) return;
        const std::string older = path_ + kOlderLogSuffix;
        files_.Remove(older);
        files_.MoveNoReplace(path_, older);
    } catch (...) {
        // A log too large to read is left as it is.
    }
}

void PluginLog::Write(std::string_view text) noexcept {
    try {
        std::string line = MakeTimestamp().substr(0, kTimeLength);
        line += ' ';
        line += text;
        line += '\n';
        platform::FileHandle file = platform::kNoFile;
        if (!files_.OpenForAppending(path_, file)) return;
        files_.Write(file, line.data(), line.size());
        files_.Close(file);
    } catch (...) {
        // Without memory for the line there is no line.
    }
}

PluginLog& TheLog() {
    static PluginLog log(platform::SystemFiles(), kPluginLogPath);
    return log;
}

void StartPluginLog(std::uint32_t gameRuntimeVersion) noexcept {
    PluginLog& log = TheLog();
    log.Start();
    try {
        log.Write(PluginTitle() + " started in game version " + RuntimeVersionText(gameRuntimeVersion));
    } catch (...) {
    }
    host::SetConsoleEcho(&EchoToLog);
}

}  // namespace Corvanis
