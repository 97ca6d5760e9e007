// What the game hands a command's execute handler as its script data when a
// console line runs: the entry being run and the text after the command word.
// The parameter extractor reads the arguments from it.
#pragma once

#include <cstdint>
#include <string>

#include "host/layouts/CommandTables.h"

namespace sim {

struct ScriptCall {
    static constexpr std::uint64_t kMarker = 0x4C4C4143544E4353;  // tells a call apart from stray memory
    std::uint64_t marker = kMarker;
    const veltrane::CommandEntry* entry = nullptr;
    std::string arguments;
    // What the handler is handed as its 3rd to 6th values: the game's objects
    // of the call, each its own, so that the extractor sees whether a handler
    // passed them on in their places.
    std::uint8_t handlerObjects[4] = {};
    void* opcodeOffset = nullptr;  // the handler's 8th value
};

inline const ScriptCall* AsScriptCall(const void* scriptData) {
    const auto* call = static_cast<const ScriptCall*>(scriptData);
    return call != nullptr && call->marker == ScriptCall::kMarker ? call : nullptr;
}

}  // namespace sim
