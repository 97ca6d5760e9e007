#include "orbx_common/BranchTrampoline.h"

#include <cstring>

#include "orbx_common/BranchEncoding.h"
#include "orbx_common/CodePatch.h"
#include "orbx_common/Diagnostic.h"
#include "orbx_common/NearAddress.h"

namespace Corvanis {

BranchTrampoline g_branchTrampoline;

namespace {

constexpr const char* kSourceName = "orbx_common/BranchTrampoline";

// Exit code of a failed consistency check: what abort() gives on Windows,
// so that the stop reads as abnormal.
constexpr std::uint32_t kAssertionExitCode = 3;

// The checks keep the line numbers under which their reports have always
// appeared, so that reports from players stay comparable.
constexpr int kLineHasBase = 125;
constexpr int kLineDisplacementInRange = 245;
constexpr int kLineRoomLeft = 255;

void Check(bool condition, int line, const char* conditionText) {
    if (condition) return;
    WriteDiagnostic("Assertion failed in %s (%d): %s", kSourceName, line, conditionText);
    platform::TerminateCurrentProcess(kAssertionExitCode);
}

}  // namespace

BranchTrampoline::~BranchTrampoline() { Destroy(); }

bool BranchTrampoline::Create(std::uintptr_t imageBase, platform::MemorySystem& memory) {
    const std::uintptr_t lowest = TrampolineSearchBound(imageBase);
    std::uintptr_t address = imageBase - 1;
    while (m_base == nullptr) {
        platform::RegionInfo region{};
        if (!memory.Query(address, region)) {
            WriteDiagnostic("VirtualQuery failed: %08X", memory.LastError());
            break;
        }
        if (region.state == platform::RegionState::Free && region.size >= kSize) {
            address = region.base + region.size - kSize;
            if (void* placed = memory.ReserveCommit(address, kSize)) {
                m_base = static_cast<std::uint8_t*>(placed);
                m_capacity = kSize;
                m_used = 0;
                m_memory = &memory;
            } else {
                WriteDiagnostic("trampoline alloc %016I64Xx%016I64X failed (%08X)",
                                static_cast<unsigned long long>(address),
                                static_cast<unsigned long long>(kSize), memory.LastError());
            }
        }
        // Below address 0 there is nothing left to search.
        const bool bottomReached = m_base == nullptr && region.base == 0;
        if (m_base == nullptr) address = region.base - 1;
        if (bottomReached || address < lowest) {
            WriteDiagnostic("couldn't allocate trampoline, no free space before image");
            break;
        }
    }
    return m_base != nullptr;
}

void BranchTrampoline::Destroy() {
    if (m_base != nullptr) m_memory->Release(m_base);
    m_base = nullptr;
    m_capacity = 0;
    m_used = 0;
    m_memory = nullptr;
}

void* BranchTrampoline::AllocateBytes(std::size_t size) {
    Check(m_base != nullptr, kLineHasBase, "m_base");
    void* result = nullptr;
    if (m_capacity - m_used >= size) {
        result = m_base + m_used;
        m_used += size;
    }
    Check(result != nullptr, kLineRoomLeft, "result");
    return result;
}

bool BranchTrampoline::WriteCallThroughTrampoline(std::uintptr_t site, std::uintptr_t target) {
    auto* slot = static_cast<std::uint8_t*>(AllocateBytes(sizeof(BranchSlot)));
    EmitBranchSlot(slot, target);
    const std::int64_t trampolineDispl = CallDisplacement(site, reinterpret_cast<std::uintptr_t>(slot));
    Check(FitsInDisplacement(trampolineDispl), kLineDisplacementInRange,
          "(trampolineDispl >= _I32_MIN) && (trampolineDispl <= _I32_MAX)");
    std::uint8_t call[sizeof(RelativeCall)];
    EmitRelativeCall(call, static_cast<std::int32_t>(trampolineDispl));
    return PatchCode(site, call, sizeof call, *m_memory);
}

std::uintptr_t GetCallTarget(std::uintptr_t site) {
    if (site == 0) return 0;
    RelativeCall call;
    std::memcpy(&call, reinterpret_cast<const void*>(site), sizeof call);
    if (call.opcode != kRelativeCallOpcode) return 0;
    return RelativeCallTarget(site, call.displacement);
}

}  // namespace Corvanis
