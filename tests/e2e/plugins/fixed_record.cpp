// A plug-in the loader must refuse: its version record and exports are set
// by the build (FIXED_FORMAT, FIXED_RUNTIME, FIXED_HAS_VERSION,
// FIXED_HAS_LOAD). Its load function says so when it is called anyway.
#include <cstdio>

#include "host/loader_interface.h"
#include "tests/e2e/plugins/PluginExport.h"

extern "C" {

#if FIXED_HAS_VERSION
TEST_PLUGIN_EXPORT extern const orbx::PluginVersionData ORBXPlugin_Version;
const orbx::PluginVersionData ORBXPlugin_Version = {
    FIXED_FORMAT, 0x01000000, FIXED_NAME, "Corvanis tests", 0, 0, {FIXED_RUNTIME}, 0, 0, 0,
};
#endif

#if FIXED_HAS_LOAD
TEST_PLUGIN_EXPORT bool ORBXPlugin_Load(const void*) {
    std::fputs(FIXED_NAME ": ORBXPlugin_Load called\n", stdout);
    std::fflush(stdout);
    return true;
}
#endif

}
