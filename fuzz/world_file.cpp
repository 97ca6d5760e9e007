// The simulated game's world-file reading on any bytes. A text it accepts
// becomes the game's world; that world's dump is a save game, so it must
// load again and dump the same text. A broken promise ends the run like a
// crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/Game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    if (!sim::LoadWorldFromText({reinterpret_cast<const char*>(data), size}, "fuzz world", error)) return 0;
    const std::string dump = sim::DumpWorldToText();
    if (!sim::LoadWorldFromText(dump, "dump", error)) {
        std::fprintf(stderr, "Broken: the dump of a world loads again, but: %s\n", error.c_str());
        std::abort();
    }
    if (sim::DumpWorldToText() != dump) {
        std::fprintf(stderr, "Broken: a loaded dump dumps the same text\n");
        std::abort();
    }
    return 0;
}
