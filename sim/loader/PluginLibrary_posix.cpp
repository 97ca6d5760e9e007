#include "sim/loader/PluginLibrary.h"

#include <dlfcn.h>

namespace sim::loader {

LibraryHandle OpenLibrary(const std::filesystem::path& file, std::string& error) {
    // Local binding: two plug-ins may export the same names, and each must be
    // found in its own module.
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "unknown error";
    }
    return library;
}

void* FindExport(LibraryHandle library, const char* name) { return dlsym(library, name); }

void CloseLibrary(LibraryHandle library) { dlclose(library); }

}  // namespace sim::loader
