// A game and loader of the smallest kind: loads the built plug-in module the
// way the loader does and delivers the loader's messages to it. It holds no
// plug-in code of its own.
#include <cstdint>
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "tests/support/probe_host.h"

namespace {

orbx::LoadFn FindLoadFunction(const char* modulePath) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(modulePath);
    return module ? reinterpret_cast<orbx::LoadFn>(reinterpret_cast<void*>(GetProcAddress(module, orbx::kLoadExport)))
                  : nullptr;
#else
    void* module = dlopen(modulePath, RTLD_NOW | RTLD_LOCAL);
    return module ? reinterpret_cast<orbx::LoadFn>(dlsym(module, orbx::kLoadExport)) : nullptr;
#endif
}

}  // namespace

// Arguments: the module's path, and "without-game" for a game whose
// interface does not answer or "without-add-sink" for one that lacks the
// operation that adds an event sink.
int main(int argc, char** argv) {
    // Unbuffered, so that nothing is lost when the plug-in ends the process.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) return 1;
    const std::string game = argc > 2 ? argv[2] : "";
    corvanis_test::OfferGame(game != "without-game");
    if (game == "without-add-sink") corvanis_test::ProbeGame().EventSourceAddSink = nullptr;
    const orbx::LoadFn load = FindLoadFunction(argv[1]);
    if (load == nullptr) {
        std::printf("module or entry point not found\n");
        return 1;
    }
    const bool loaded = load(&corvanis_test::ProbeLoader());
    std::printf("load returned %s\n", loaded ? "true" : "false");
    const orbx::MessageListener listener = corvanis_test::RegisteredListener();
    if (listener == nullptr) return 1;
    for (std::uint32_t type : {0u, 1u, 3u, 2u}) {
        orbx::Message message{"ORBX", type, 0, nullptr};
        listener(&message);
        std::printf("message %u delivered\n", type);
    }
    return 0;
}
