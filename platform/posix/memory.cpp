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

std::uint32_t WindowsProtection(const Mapping& mapping) {
    if (mapping.execute) return mapping.write ? kPageExecuteReadWrite : mapping.read ? kPageExecuteRead : kPageExecute;
    if (mapping.write) return kPageReadWrite;
    return mapping.read ? kPageReadOnly : kPageNoAccess;
}

bool PosixProtection(std::uint32_t protection, int& out) {
    switch (protection) {
        case kPageNoAccess: out = PROT_NONE; return true;
        case kPageReadOnly: out = PROT_READ; return true;
        case kPageReadWrite: out = PROT_READ | PROT_WRITE; return true;
        case kPageExecute: out = PROT_EXEC; return true;
        case kPageExecuteRead: out = PROT_READ | PROT_EXEC; return true;
        case kPageExecuteReadWrite: out = PROT_READ | PROT_WRITE | PROT_EXEC; return true;
        default: return false;
    }
}

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

    bool ChangeProtection(void* address, std::size_t size, std::uint32_t newProtection,
                          std::uint32_t* oldProtection) override {
        int protection = 0;
        if (!PosixProtection(newProtection, protection)) return Fail(EINVAL);
        std::vector<Mapping> mappings;
        if (!posix::ReadProcessMappings(mappings)) return Fail(errno);
        const auto first = reinterpret_cast<std::uintptr_t>(address);
        const Mapping* mapping = posix::FindMapping(mappings, first);
        if (mapping == nullptr) return Fail(ENOMEM);
        const std::uintptr_t pageMask = PageSize() - 1;
        const std::uintptr_t begin = first & ~pageMask;
        const std::uintptr_t end = (first + (size == 0 ? 1 : size) + pageMask) & ~pageMask;
        if (mprotect(reinterpret_cast<void*>(begin), end - begin, protection) != 0) return Fail(errno);
        if (oldProtection != nullptr) *oldProtection = WindowsProtection(*mapping);
        return true;
    }

    void FlushInstructionCache(const void*, std::size_t) override {}

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
