// A plug-in that walks the loader's protocol by raw byte offsets, as a
// plug-in built against another copy of the layouts would, and prints every
// step and message on standard output as "<RECORDER_TAG>: ...".
//
// Built as the recorder (its load function succeeds) and as the decliner
// (its load function registers its listeners and then returns false).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "host/loader_interface.h"
#include "tests/e2e/plugins/PluginExport.h"

namespace {

using QueryInterfaceFn = void* (*)(std::uint32_t id);
using GetPluginHandleFn = std::uint32_t (*)();
using ListenerFn = void (*)(void* message);
using RegisterListenerFn = bool (*)(std::uint32_t plugin, const char* sender, ListenerFn listener);

template <class Value>
Value ReadAt(const void* record, std::size_t offset) {
    Value value;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

void Print(const std::string& text) {
    const std::string line = std::string(RECORDER_TAG) + ": " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

// The game folder is the working folder: a relative path finds the file the
// test put there.
void PrintMarker() {
    std::ifstream marker("marker.txt");
    std::string content;
    if (!marker || !std::getline(marker, content)) content = "missing";
    Print("marker.txt: " + content);
}

void OnMessage(void* message) {
    const auto sender = ReadAt<const char*>(message, 0x00);
    const auto type = ReadAt<std::uint32_t>(message, 0x08);
    const auto length = ReadAt<std::uint32_t>(message, 0x0C);
    const auto data = ReadAt<const void*>(message, 0x10);
    Print("message " + std::to_string(type) + " from " + (sender != nullptr ? sender : "(null)") +
          (length == 0 && data == nullptr ? ", no data" : ", " + std::to_string(length) + " bytes"));
    if (type == orbx::kMessageDataLoaded) PrintMarker();
}

}  // namespace

extern "C" {

TEST_PLUGIN_EXPORT extern const orbx::PluginVersionData ORBXPlugin_Version;
const orbx::PluginVersionData ORBXPlugin_Version = {
    orbx::kVersionRecordFormat,
    RECORDER_VERSION,
    RECORDER_NAME,
    "Corvanis tests",
    0,
    0,
    {0x01000010, orbx::kRuntime_1_15_216},
    0,
    0,
    0,
};

TEST_PLUGIN_EXPORT bool ORBXPlugin_Load(const void* loader) {
    const auto getPluginHandle = ReadAt<GetPluginHandleFn>(loader, 0x18);
    const auto queryInterface = ReadAt<QueryInterfaceFn>(loader, 0x10);
    const std::uint32_t handle = getPluginHandle();
    Print("load: handle " + std::to_string(handle) + ", runtime " + Hex(ReadAt<std::uint32_t>(loader, 0x04)));

    void* messaging = queryInterface(1);
    Print(std::string("interface 1: ") + (messaging != nullptr ? "answered" : "null") +
          ", interface 2: " + (queryInterface(2) != nullptr ? "answered" : "null"));
    if (messaging == nullptr) return false;

    const auto registerListener = ReadAt<RegisterListenerFn>(messaging, 0x08);
    const auto outcome = [](bool registered) { return registered ? "registered" : "refused"; };
    Print(std::string("listener for ORBX: ") + outcome(registerListener(handle, "ORBX", OnMessage)));
    Print(std::string("listener for Elsewhere: ") + outcome(registerListener(handle, "Elsewhere", OnMessage)));
    Print(std::string("listener with handle 0: ") + outcome(registerListener(0, "ORBX", OnMessage)));
    return RECORDER_LOAD_RESULT;
}

}
