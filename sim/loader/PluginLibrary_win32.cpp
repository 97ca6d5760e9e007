#include "sim/loader/PluginLibrary.h"

#include <windows.h>

namespace sim::loader {

namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = "error " + std::to_string(code);
    if (length != 0 && text != nullptr) {
        std::string systemText(text, length);
        while (!systemText.empty() && (systemText.back() == '\n' || systemText.back() == '\r' ||
                                       systemText.back() == ' ')) {
            systemText.pop_back();
        }
        message += ": " + systemText;
    }
    LocalFree(text);
    return message;
}

}  // namespace

LibraryHandle OpenLibrary(const std::filesystem::path& file, std::string& error) {
    // No "cannot find module" dialog box for a plug-in with a missing
    // dependency: the loader reports it on its own.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(file.string().c_str());
    const DWORD code = GetLastError();
    SetErrorMode(previousMode);
    if (library == nullptr) error = SystemMessage(code);
    return reinterpret_cast<LibraryHandle>(library);
}

void* FindExport(LibraryHandle library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(LibraryHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace sim::loader
