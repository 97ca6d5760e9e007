// Skeleton: replaced by the POSIX layer.
#include "platform/platform.h"

#include <dlfcn.h>

namespace platform {

void* MainModuleSymbol(const char* name) {
    void* self = dlopen(nullptr, RTLD_NOW);
    return self ? dlsym(self, name) : nullptr;
}

}  // namespace platform
