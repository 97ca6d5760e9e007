#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/process_maps.h"

namespace platform {

ReadableMemoryView::ReadableMemoryView() {
    std::vector<posix::Mapping> mappings;
    // A list that cannot be read leaves nothing readable.
    if (!posix::ReadProcessMappings(mappings)) return;
    for (const posix::Mapping& mapping : mappings) {
        if (!mapping.read) continue;
        if (!readable_.empty() && readable_.back().end == mapping.begin) {
            readable_.back().end = mapping.end;
        } else {
            readable_.push_back({mapping.begin, mapping.end});
        }
    }
}

bool ReadableMemoryView::IsReadable(const void* address, std::size_t size) const {
    const auto begin = reinterpret_cast<std::uintptr_t>(address);
    if (size == 0 || begin > UINTPTR_MAX - size) return false;
    // The last range that starts at or before the address must reach past
    // the range asked about: neighbouring ranges are joined.
    const auto after = std::upper_bound(readable_.begin(), readable_.end(), begin,
                                        [](std::uintptr_t at, const Range& range) { return at < range.begin; });
    return after != readable_.begin() && std::prev(after)->end >= begin + size;
}

bool IsReadableMemory(const void* address, std::size_t size) { return ReadableMemoryView().IsReadable(address, size); }

}  // namespace platform
