// The script-extender loader's side of the plug-in protocol: the version
// record a plug-in exports, the load interface it is called with, the
// messaging interface and the message record. The simulated loader includes
// this header too.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orbx {

constexpr const char* kVersionExport = "ORBXPlugin_Version";
constexpr const char* kLoadExport = "ORBXPlugin_Load";

constexpr std::uint32_t kVersionRecordFormat = 1;

// Runtime versions pack major in bits 24-31, minor in 16-23, build in 4-15
// and sub-build in 0-3.
constexpr std::uint32_t PackRuntimeVersion(std::uint32_t major, std::uint32_t minor,
                                           std::uint32_t build, std::uint32_t sub) {
    return (major << 24) | (minor << 16) | ((build & 0xFFF) << 4) | (sub & 0xF);
}
constexpr std::uint32_t kRuntime_1_15_216 = PackRuntimeVersion(1, 15, 216, 0);
static_assert(kRuntime_1_15_216 == 0x010F0D80);

struct PluginVersionData {
    std::uint32_t dataVersion;              // 0   record format
    std::uint32_t pluginVersion;            // 4   major in bits 24-31, minor in 16-23
    char name[256];                         // 8
    char author[256];                       // 264
    std::uint32_t addressIndependence;      // 520
    std::uint32_t structureIndependence;    // 524
    std::uint32_t compatibleVersions[16];   // 528 zero-terminated
    std::uint32_t loaderMinimum;            // 592
    std::uint32_t reservedNonBreaking;      // 596
    std::uint32_t reservedBreaking;         // 600
};
static_assert(sizeof(PluginVersionData) == 604);
static_assert(offsetof(PluginVersionData, pluginVersion) == 4);
static_assert(offsetof(PluginVersionData, name) == 8);
static_assert(offsetof(PluginVersionData, author) == 264);
static_assert(offsetof(PluginVersionData, addressIndependence) == 520);
static_assert(offsetof(PluginVersionData, structureIndependence) == 524);
static_assert(offsetof(PluginVersionData, compatibleVersions) == 528);
static_assert(offsetof(PluginVersionData, loaderMinimum) == 592);
static_assert(offsetof(PluginVersionData, reservedNonBreaking) == 596);
static_assert(offsetof(PluginVersionData, reservedBreaking) == 600);

using PluginHandle = std::uint32_t;

constexpr std::uint32_t kInterfaceMessaging = 1;

struct LoadInterface {
    std::uint32_t loaderVersion;   // 0x00
    std::uint32_t runtimeVersion;  // 0x04
    std::uint32_t reserved08;      // 0x08
    std::uint32_t reserved0C;      // 0x0C
    void* (*QueryInterface)(std::uint32_t id);  // 0x10
    PluginHandle (*GetPluginHandle)();          // 0x18
};
static_assert(offsetof(LoadInterface, QueryInterface) == 0x10);
static_assert(offsetof(LoadInterface, GetPluginHandle) == 0x18);

struct Message {
    const char* sender;   // 0x00
    std::uint32_t type;   // 0x08
    std::uint32_t dataLength;
    void* data;
};
static_assert(offsetof(Message, type) == 0x08);

constexpr std::uint32_t kMessagePostLoad = 0;
constexpr std::uint32_t kMessagePostPostLoad = 1;
constexpr std::uint32_t kMessageDataLoaded = 2;

using MessageListener = void (*)(Message* message);

struct MessagingInterface {
    std::uint32_t interfaceVersion;  // 0x00
    std::uint32_t reserved04;        // 0x04
    bool (*RegisterListener)(PluginHandle plugin, const char* sender,
                             MessageListener listener);  // 0x08
};
static_assert(offsetof(MessagingInterface, RegisterListener) == 0x08);

using LoadFn = bool (*)(const LoadInterface* loader);

}  // namespace orbx
