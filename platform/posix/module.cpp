#include <dlfcn.h>
#include <link.h>

#include "platform/platform.h"
#include "platform/posix/process_maps.h"

namespace platform {

namespace {

using posix::PageSize;

// The loader reports the main program first; its lowest loadable segment is
// where the executable image begins.
int LowestSegmentOfFirstObject(dl_phdr_info* info, std::size_t, void* data) {
    auto& lowest = *static_cast<std::uintptr_t*>(data);
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type != PT_LOAD) continue;
        const std::uintptr_t start = (info->dlpi_addr + header.p_vaddr) & ~(PageSize() - 1);
        if (lowest == 0 || start < lowest) lowest = start;
    }
    return 1;
}

}  // namespace

std::uintptr_t MainModuleBase() {
    std::uintptr_t lowest = 0;
    dl_iterate_phdr(LowestSegmentOfFirstObject, &lowest);
    return lowest;
}

void* MainModuleSymbol(const char* name) {
    void* self = dlopen(nullptr, RTLD_NOW);
    return self ? dlsym(self, name) : nullptr;
}

}  // namespace platform
