#include "frame/startup/PluginVersion.h"

extern "C" {

// Read by the loader before anything else is called. The window title takes
// the major and minor numbers back from bytes 7 and 6 of this record.
const orbx::PluginVersionData ORBXPlugin_Version = {
    orbx::kVersionRecordFormat,
    (Corvanis::kVersionMajor << 24) | (Corvanis::kVersionMinor << 16),
    "Corvanis - ORBX Plugin by Pellimor",
    "Pellimor",
    0,  // bound to the runtime versions below: no address independence
    0,  // nor structure independence
    {orbx::kRuntime_1_15_216},
    0,  // no minimum loader version
    0,
    0,
};

}
