#include "orbx_common/BranchTrampoline.h"

#include <cstring>

#include "orbx_common/BranchEncoding.h"
#include "orbx_common/CodePatch.h"
#include "orbx_common/NearAddress.h"

namespace Corvanis {

BranchTrampoline g_branchTrampoline;

BranchTrampoline::~BranchTrampoline() { Destroy(); }

TrampolineSearch BranchTrampoline::Create(std::uintptr_t imageBase, platform::MemorySystem& memory) {
    TrampolineSearch search;
    using Kind = TrampolineSearchEvent::Kind;
    const std::uintptr_t lowest = TrampolineSearchBound(imageBase);
    std::uintptr_t address = imageBase - 1;
    while (m_base == nullptr) {
        platform::RegionInfo region{};
        if (!memory.Query(address, region)) {
            search.events.push_back({Kind::QueryFailed, address, memory.LastError()});
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
                search.events.push_back({Kind::ReservationRefused, address, memory.LastError()});
            }
        }
        // Below address 0 there is nothing left to search.
        const bool bottomReached = m_base == nullptr && region.base == 0;
        if (m_base == nullptr) address = region.base - 1;
        if (bottomReached || address < lowest) {
            search.events.push_back({Kind::NoFreeSpace});
            break;
        }
    }
    search.created = m_base != nullptr;
    return search;
}

void BranchTrampoline::Destroy() {
    if (m_base != nullptr) m_memory->Release(m_base);
    m_base = nullptr;
    m_capacity = 0;
    m_used = 0;
    m_memory = nullptr;
}

TrampolineStatus BranchTrampoline::AllocateBytes(std::size_t size, void*& bytes) {
    if (m_base == nullptr) return TrampolineStatus::NoTrampoline;
    if (m_capacity - m_used < size) return TrampolineStatus::Full;
    bytes = m_base + m_used;
    m_used += size;
    return TrampolineStatus::Ok;
}

TrampolineStatus BranchTrampoline::WriteCallThroughTrampoline(std::uintptr_t site, std::uintptr_t target) {
    void* bytes = nullptr;
    if (const TrampolineStatus status = AllocateBytes(sizeof(BranchSlot), bytes); status != TrampolineStatus::Ok) {
        return status;
    }
    auto* slot = static_cast<std::uint8_t*>(bytes);
    EmitBranchSlot(slot, target);
    const std::int64_t displacement = CallDisplacement(site, reinterpret_cast<std::uintptr_t>(slot));
    if (!FitsInDisplacement(displacement)) return TrampolineStatus::OutOfReach;
    std::uint8_t call[sizeof(RelativeCall)];
    EmitRelativeCall(call, static_cast<std::int32_t>(displacement));
    return PatchCode(site, call, sizeof call, *m_memory) ? TrampolineStatus::Ok : TrampolineStatus::NotWritable;
}

std::uintptr_t GetCallTarget(std::uintptr_t site) {
    if (site == 0) return 0;
    RelativeCall call;
    std::memcpy(&call, reinterpret_cast<const void*>(site), sizeof call);
    if (call.opcode != kRelativeCallOpcode) return 0;
    return RelativeCallTarget(site, call.displacement);
}

}  // namespace Corvanis
