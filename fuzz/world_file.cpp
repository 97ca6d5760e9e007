// The simulated game's world-file reading on any bytes. A text it accepts
// becomes the game's world; that world's dump is a save game, so it must
// load again and dump the same text. A broken promise ends the run like a
// crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/support/Fail.h"
#include "sim/Game.h"

using corvanis_fuzz::Fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    if (!sim::LoadWorldFromText({reinterpret_cast<const char*>(data), size}, "fuzz world", error)) return 0;
    const std::string dump = sim::DumpWorldToText();
    if (!sim::LoadWorldFromText(dump, "dump", error)) Fail("Broken: the dump of a world loads again, but: " + error);
    if (sim::DumpWorldToText() != dump) Fail("Broken: a loaded dump dumps the same text");
    return 0;
}
