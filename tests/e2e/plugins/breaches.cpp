// A plug-in that breaks one of the game's contracts when the loader sends it
// a message of type kFirstBreach + N (`sim.message`), so that a test can see
// the game end on each: the real game would crash or corrupt itself.
#include <cstdint>
#include <cstring>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "host/game_interface.h"
#include "host/layouts/CommandTables.h"
#include "host/layouts/StringsAndArrays.h"
#include "host/loader_interface.h"
#include "tests/e2e/plugins/PluginExport.h"

namespace {

using QueryInterfaceFn = void* (*)(std::uint32_t id);
using GetPluginHandleFn = std::uint32_t (*)();
using ListenerFn = void (*)(void* message);
using RegisterListenerFn = bool (*)(std::uint32_t plugin, const char* sender, ListenerFn listener);

constexpr std::uint32_t kFirstBreach = 1000;

template <class Value>
Value ReadAt(const void* record, std::size_t offset) {
    Value value;
    std::memcpy(&value, static_cast<const unsigned char*>(record) + offset, sizeof value);
    return value;
}

// Found as Corvanis finds it: exported from the game's main module.
void* MainModuleSymbol(const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), name));
#else
    return dlsym(dlopen(nullptr, RTLD_NOW), name);
#endif
}

const veltrane::GameInterface& Game() {
    static const veltrane::GameInterface* const game =
        reinterpret_cast<veltrane::GetGameInterfaceFn>(MainModuleSymbol(veltrane::kGameInterfaceExport))();
    return *game;
}

void FreeTwice() {
    void* block = Game().Allocate(16);
    Game().Deallocate(block);
    Game().Deallocate(block);
}

void FreeOwnMemory() {
    alignas(16) static unsigned char own[64];
    Game().Deallocate(own + 32);
}

void ReleaseTooOften() {
    veltrane::FixedString text{};
    Game().FixedStringMake(&text, "Breaches: released twice");
    const veltrane::FixedString copy = text;
    Game().FixedStringRelease(&text);
    veltrane::FixedString again = copy;
    Game().FixedStringRelease(&again);
}

void AskForTheShipOfNoPlayer() { Game().GetShipPlayerIsIn(nullptr, true, nullptr, nullptr); }

// Links the player to a reference of its cell that is gone.
void LinkToARemovedReference() {
    veltrane::Form* player = Game().GetPlayerCharacter();
    std::uint32_t count = 0;
    veltrane::Form* const* slots = Game().CellGetReferences(Game().RefGetParentCell(player), &count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (slots[i] == nullptr || slots[i] == player) continue;
        veltrane::Form* gone = slots[i];
        Game().RemoveReference(gone);
        Game().RefSetLinkedRef(player, gone, *Game().workshopKeyword, true);
        return;
    }
}

// Left made when the game quits.
void KeepAString() {
    static veltrane::FixedString kept{};
    Game().FixedStringMake(&kept, "Breaches: never released");
}

// Frees the model component of the home ship's base form, which the form
// still holds.
void FreeARecordInUse() {
    veltrane::FixedString typeName{};
    Game().FixedStringMake(&typeName, "KORModel_Component");
    veltrane::Form* base = Game().RefGetBaseObject(Game().GetPlayerHomeShip());
    Game().Deallocate(Game().FindComponent(base, &typeName, 0));
}

// Writes into the game's own bytes of the entry of sim.memory, which the game
// finds when the command runs next.
void WriteBeyondAnEntrysFields() {
    for (veltrane::CommandEntry* entry = Game().consoleCommands; entry->execute != nullptr; ++entry) {
        if (entry->longName == nullptr || std::strcmp(entry->longName, "sim.memory") != 0) continue;
        entry->gameFields[sizeof entry->gameFields - 1] ^= 0xFF;
        return;
    }
}

void (*const kBreaches[])() = {&FreeTwice,   &FreeOwnMemory,   &ReleaseTooOften, &AskForTheShipOfNoPlayer,
                               &LinkToARemovedReference, &KeepAString, &FreeARecordInUse,
                               &WriteBeyondAnEntrysFields};

void OnMessage(void* message) {
    const auto type = ReadAt<std::uint32_t>(message, 0x08);
    if (type >= kFirstBreach && type - kFirstBreach < std::size(kBreaches)) kBreaches[type - kFirstBreach]();
}

}  // namespace

extern "C" {

TEST_PLUGIN_EXPORT extern const orbx::PluginVersionData ORBXPlugin_Version;
const orbx::PluginVersionData ORBXPlugin_Version = {
    orbx::kVersionRecordFormat, 0x01000000, "Breaches", "Corvanis tests", 0, 0, {0x01000010, orbx::kRuntime_1_15_216},
    0, 0, 0,
};

TEST_PLUGIN_EXPORT bool ORBXPlugin_Load(const void* loader) {
    const auto getPluginHandle = ReadAt<GetPluginHandleFn>(loader, 0x18);
    const auto queryInterface = ReadAt<QueryInterfaceFn>(loader, 0x10);
    void* messaging = queryInterface(1);
    if (messaging == nullptr) return false;
    return ReadAt<RegisterListenerFn>(messaging, 0x08)(getPluginHandle(), "ORBX", OnMessage);
}

}
