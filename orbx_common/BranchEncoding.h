// The two x86-64 instructions the branch trampoline writes, each as the bytes
// the processor reads, and one generator per instruction: it writes at the
// position it is given and returns the position after the instruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Corvanis {

#pragma pack(push, 1)

// jmp qword ptr [rip+0]: an indirect jump through the eight bytes that follow
// the instruction, so it reaches any address at all.
struct BranchSlot {
    std::uint8_t opcode;         // 0xFF
    std::uint8_t modrm;          // 0x25: the operand is [rip + displacement]
    std::int32_t displacement;   // 0: the operand starts right after the instruction
    std::uint64_t target;        // the absolute address jumped to
};
static_assert(sizeof(BranchSlot) == 14);
static_assert(offsetof(BranchSlot, displacement) == 2);
static_assert(offsetof(BranchSlot, target) == 6);

// call rel32: the callee lies at the next instruction plus the displacement.
struct RelativeCall {
    std::uint8_t opcode;         // 0xE8
    std::int32_t displacement;   // callee - (address of the call + 5)
};
static_assert(sizeof(RelativeCall) == 5);
static_assert(offsetof(RelativeCall, displacement) == 1);

#pragma pack(pop)

constexpr std::uint8_t kRelativeCallOpcode = 0xE8;

inline std::uint8_t* EmitBranchSlot(std::uint8_t* position, std::uintptr_t target) {
    const BranchSlot slot{0xFF, 0x25, 0, target};
    std::memcpy(position, &slot, sizeof slot);
    return position + sizeof slot;
}

inline std::uint8_t* EmitRelativeCall(std::uint8_t* position, std::int32_t displacement) {
    const RelativeCall call{kRelativeCallOpcode, displacement};
    std::memcpy(position, &call, sizeof call);
    return position + sizeof call;
}

}  // namespace Corvanis
