// Mapping a plug-in module into the game process and finding its exports:
// dlopen on Linux, LoadLibraryA on Windows.
#pragma once

#include <filesystem>
#include <string>

namespace sim::loader {

// The operating system's handle of a mapped module; null for none.
using LibraryHandle = void*;

// Maps the module. Null on failure, with `error` holding the system's reason.
LibraryHandle OpenLibrary(const std::filesystem::path& file, std::string& error);

// The address of an exported symbol, or null.
void* FindExport(LibraryHandle library, const char* name);

// Unmaps a module no plug-in code will run from again.
void CloseLibrary(LibraryHandle library);

}  // namespace sim::loader
