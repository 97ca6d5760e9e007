// The game's console command tables: the entries the plug-in's commands take
// over, and the calls a command's handler is made with.
//
// The simulated game includes these layouts too, so each is stated exactly
// once; every size and offset the plug-in relies on is pinned by a
// static_assert.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veltrane {

struct ParameterDefinition {
    const char* name;          // "asBlueprintName"
    std::uint32_t typeCode;    // 0: text
    std::uint32_t isOptional;  // 0: required
};
static_assert(sizeof(ParameterDefinition) == 16);
static_assert(offsetof(ParameterDefinition, typeCode) == 8);
static_assert(offsetof(ParameterDefinition, isOptional) == 12);

// The game calls a command's execute handler with eight pointer-sized values:
// parameter definitions, script data, this object, containing object, script,
// locals, result, opcode offset.
using CommandExecuteFn = bool (*)(void* parameters, void* scriptData, void* thisObject,
                                  void* containingObject, void* script, void* locals,
                                  void* result, void* opcodeOffset);

// Reads a command's parameters. Takes the handler's 1st, 2nd, 8th, 3rd, 4th,
// 5th and 6th values, then the 512-byte text buffer of the one text parameter.
using ParameterExtractorFn = bool (*)(void* parameters, void* scriptData, void* opcodeOffset,
                                      void* thisObject, void* containingObject, void* script,
                                      void* locals, char* textOut);
constexpr std::size_t kParameterTextCapacity = 512;

struct CommandEntry {
    const char* longName;                 // 0x00 the word typed in the console
    const char* shortName;                // 0x08 alias
    std::uint32_t opcode;                 // 0x10
    std::uint32_t pad14;                  // 0x14
    const char* helpText;                 // 0x18
    std::uint8_t flags;                   // 0x20
    std::uint8_t pad21;                   // 0x21
    std::uint16_t parameterCount;         // 0x22
    std::uint32_t pad24;                  // 0x24
    ParameterDefinition* parameters;      // 0x28
    CommandExecuteFn execute;             // 0x30
    std::uint8_t gameFields[0x58 - 0x38]; // 0x38 the game's own, never touched by plug-ins
};
static_assert(sizeof(CommandEntry) == 0x58);
static_assert(offsetof(CommandEntry, longName) == 0);
static_assert(offsetof(CommandEntry, shortName) == 8);
static_assert(offsetof(CommandEntry, opcode) == 16);
static_assert(offsetof(CommandEntry, helpText) == 24);
static_assert(offsetof(CommandEntry, flags) == 32);
static_assert(offsetof(CommandEntry, parameterCount) == 34);
static_assert(offsetof(CommandEntry, parameters) == 40);
static_assert(offsetof(CommandEntry, execute) == 48);

}  // namespace veltrane
