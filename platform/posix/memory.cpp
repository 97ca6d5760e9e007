#include <sys/mman.h>

#include <cerrno>
#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/process_maps.h"

namespace platform {

namespace {

using posix::Mapping;
using posix::PageSize;

// Windows places allocations on 64 KiB boundaries; the trampoline search
// relies on that rounding, so this layer does the same.
constexpr std::uintptr_t kAllocationGranularity = 0x10000;

// The end of the user part of a 47-bit address space, as far as Windows and
// Wine report regions; above it a query fails.
constexpr std::uintptr_t kUserSpaceEnd = 0x7FFFFFFF0000;

class PosixMemory final : public MemorySystem {
public:
    bool Query(std::uintptr_t address, RegionInfo& out) override {
        if (address >= kUserSpaceEnd) return Fail(EINVAL);
        std::vector<Mapping> mappings;
        if (!posix::ReadProcessMappings(mappings)) return Fail(errno);
        const std::uintptr_t page = address & ~(PageSize() - 1);
        if (const Mapping* mapping = posix::FindMapping(mappings, address)) {
            const bool accessible = mapping->read || mapping->write || mapping->execute;
            out = {page, mapping->end - page, accessible ? RegionState::Committed : RegionState::Reserved};
            return true;
        }
        std::uintptr_t gapEnd = kUserSpaceEnd;
        for (const Mapping& mapping : mappings) {
            if (mapping.begin > address) {
                gapEnd = mapping.begin < gapEnd ? mapping.begin : gapEnd;
                break;
            }
        }
        out = {page, gapEnd - page, RegionState::Free};
        return true;
    }

    void* ReserveCommit(std::uintptr_t address, std::size_t size) override {
        const std::uintptr_t begin = address & ~(kAllocationGranularity - 1);
        if (size == 0 || address > kUserSpaceEnd - size) {
            Fail(EINVAL);
            return nullptr;
        }
        const std::uintptr_t end = (address + size + PageSize() - 1) & ~(PageSize() - 1);
        void* wanted = reinterpret_cast<void*>(begin);
        void* placed = mmap(wanted, end - begin, PROT_READ | PROT_WRITE | PROT_EXEC,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (placed == MAP_FAILED) {
            Fail(errno);
            return nullptr;
        }
        // Kernels older than 4.17 take the address as a mere hint.
        if (placed != wanted) {
            munmap(placed, end - begin);
            Fail(EEXIST);
            return nullptr;
        }
        allocations_[begin] = end - begin;
        return placed;
    }

    void Release(void* base) override {
        const auto allocation = allocations_.find(reinterpret_cast<std::uintptr_t>(base));
        if (allocation == allocations_.end()) {
            Fail(EINVAL);
            return;
        }
        munmap(base, allocation->second);
        allocations_.erase(allocation);
    }

    std::uint32_t LastError() override { return lastError_; }

private:
    bool Fail(int error) {
        lastError_ = static_cast<std::uint32_t>(error);
        return false;
    }

    std::map<std::uintptr_t, std::size_t> allocations_;
    std::uint32_t lastError_ = 0;
};

}  // namespace

MemorySystem& SystemMemory() {
    // Never destroyed: the process-wide trampoline releases its memory through
    // this object from a static destructor that may run after ours would.
    static PosixMemory* const memory = new PosixMemory;
    return *memory;
}

}  // namespace platform
