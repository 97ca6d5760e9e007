#include "host/host.h"

#include "platform/platform.h"

namespace host {

namespace {

const veltrane::GameInterface* Resolve() {
    auto get = reinterpret_cast<veltrane::GetGameInterfaceFn>(
        platform::MainModuleSymbol(veltrane::kGameInterfaceExport));
    if (get == nullptr) return nullptr;
    const veltrane::GameInterface* game = get();
    if (game == nullptr || game->version != veltrane::kGameInterfaceVersion ||
        game->size != sizeof(veltrane::GameInterface)) {
        return nullptr;
    }
    return game;
}

const veltrane::GameInterface* Resolved() {
    static const veltrane::GameInterface* const game = Resolve();
    return game;
}

}  // namespace

bool Bind() { return Resolved() != nullptr; }

const veltrane::GameInterface& Game() { return *Resolved(); }

void PrintConsole(const char* text) { Game().ConsolePrint("%s", text); }

ScopedFixedString::ScopedFixedString(const char* text) { Game().FixedStringMake(&string_, text); }

ScopedFixedString::~ScopedFixedString() { Game().FixedStringRelease(&string_); }

void* FindComponent(Form* form, const char* typeName) {
    if (form == nullptr) return nullptr;
    ScopedFixedString name(typeName);
    return Game().FindComponent(form, name.get(), 0);
}

}  // namespace host
