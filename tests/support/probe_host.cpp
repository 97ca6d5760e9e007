#include "tests/support/probe_host.h"

#include <cstdio>
#include <type_traits>

#include "frame/startup/SymbolExport.h"
#include "host/layouts/CommandTables.h"
#include "host/layouts/DataFiles.h"
#include "host/layouts/LoadedCells.h"

namespace corvanis_test {

namespace {

bool g_offerGame = true;
orbx::MessageListener g_listener = nullptr;

orbx::PluginHandle GetPluginHandle() {
    std::printf("plug-in handle asked for\n");
    return 7;
}

bool RegisterListener(orbx::PluginHandle plugin, const char* sender, orbx::MessageListener listener) {
    std::printf("listener registered for plug-in %u from sender %s\n", plugin, sender);
    g_listener = listener;
    return true;
}

orbx::MessagingInterface g_messaging{1, 0, RegisterListener};

void* QueryInterface(std::uint32_t id) {
    std::printf("interface %u asked for\n", id);
    return id == orbx::kInterfaceMessaging ? &g_messaging : nullptr;
}

const orbx::LoadInterface g_loader{1, orbx::kRuntime_1_15_216, 0, 0, QueryInterface, GetPluginHandle};

// --- The game -----------------------------------------------------------------

template <class Result, class... Arguments>
Result Unexpected(Arguments...) {
    std::printf("unexpected game call\n");
    if constexpr (!std::is_void_v<Result>) return Result{};
}

void UnexpectedPrint(const char*, ...) { std::printf("unexpected game call\n"); }

std::uint8_t g_eventSource = 0;

// Start-up looks for free command slots, finds none and asks for player
// updates; it looks for the piloting requirement form, which this game lacks.
veltrane::Form* NoForm(std::uint32_t) { return nullptr; }
bool Placeholder(void*, void*, void*, void*, void*, void*, void*, void*) { return true; }
veltrane::EventSource* PlayerUpdates(bool) { return reinterpret_cast<veltrane::EventSource*>(&g_eventSource); }
void AddSink(veltrane::EventSource*, veltrane::VXTEventDetail::SinkBase*) {}

veltrane::CommandEntry g_scriptCommands[1] = {{"end", "", 0x13C0, 0, "", 0, 0, 0, 0, nullptr, nullptr, {}}};
veltrane::CommandEntry g_consoleCommands[1] = {{"end", "", 0x347, 0, "", 0, 0, 0, 0, nullptr, nullptr, {}}};
veltrane::Form* g_noForm = nullptr;
veltrane::CellManager* g_noCellManager = nullptr;
std::uint8_t g_flag = 0;
std::uint8_t g_code[5] = {0x90, 0x90, 0x90, 0x90, 0x90};

veltrane::GameInterface CompleteGame() {
    veltrane::GameInterface g{};
    g.version = veltrane::kGameInterfaceVersion;
    g.size = sizeof g;
    g.LookupFormByID = &NoForm;
    g.LookupFormByFileAndLocalID = &Unexpected;
    g.FormGetID = &Unexpected;
    g.FormGetStoredType = &Unexpected;
    g.FormQueryType = &Unexpected;
    g.FormGetEditorID = &Unexpected;
    g.FormGetDisplayName = &Unexpected;
    g.CastToGenericBaseForm = &Unexpected;
    g.CastToBoundObject = &Unexpected;
    g.FormGetFileListIndex = &Unexpected;
    g.FormGetKeywords = &Unexpected;
    g.fileLists = reinterpret_cast<const veltrane::FileListTable*>(&g_flag);
    g.IsFileRecord = &Unexpected;
    g.FileGetName = &Unexpected;
    g.FileGetCompileIndex = &Unexpected;
    g.FileGetMediumIndex = &Unexpected;
    g.FileGetSmallIndex = &Unexpected;
    g.FileGetFlags = &Unexpected;
    g.formTypeNames = reinterpret_cast<const veltrane::FormTypeName*>(&g_flag);
    g.RefGetBaseObject = &Unexpected;
    g.RefGetParentCell = &Unexpected;
    g.RefGetExtraDataList = &Unexpected;
    g.ExtraGetEditorID = &Unexpected;
    g.ExtraGetOverrideName = &Unexpected;
    g.ExtraGetFormID = &Unexpected;
    g.RefGetPosition = &Unexpected;
    g.RefGetRotation = &Unexpected;
    g.RefGetScale = &Unexpected;
    g.RefHasKeyword = &Unexpected;
    g.RefGetLinkedRef = &Unexpected;
    g.RefSetLinkedRef = &Unexpected;
    g.RefSetDisplayNameOverride = &Unexpected;
    g.CreateReference = &Unexpected;
    g.ReferenceFromHandle = &Unexpected;
    g.ReleaseReference = &Unexpected;
    g.RemoveReference = &Unexpected;
    g.RemovedWorkshopItemCleanup = &Unexpected;
    g.GetDistance = &Unexpected;
    g.CellIsInterior = &Unexpected;
    g.CellGetReferences = &Unexpected;
    g.CellCheck = &Unexpected;
    g.GetPlayerCharacter = &Unexpected;
    g.GetShipPlayerIsIn = &Unexpected;
    g.GetPlayerHomeShip = &Unexpected;
    g.ActorGetShipRef = &Unexpected;
    g.ActorGetAssociatedCellIDs = &Unexpected;
    g.ShipGetInteriorCell = &Unexpected;
    g.FindComponent = &Unexpected;
    g.Allocate = &Unexpected;
    g.Deallocate = &Unexpected;
    g.ArrayAppend = &Unexpected;
    g.FixedStringMake = &Unexpected;
    g.FixedStringAssign = &Unexpected;
    g.FixedStringRelease = &Unexpected;
    g.workshopKeyword = &g_noForm;
    g.workshopItemKeyword = &g_noForm;
    g.pilotingRequirementForm = &g_noForm;
    g.scriptCommands = g_scriptCommands;
    g.consoleCommands = g_consoleCommands;
    g.placeholderHandler = &Placeholder;
    g.ExtractParameters = &Unexpected;
    g.ConsolePrint = &UnexpectedPrint;
    g.GetPlayerUpdateEventSource = &PlayerUpdates;
    g.EventSourceAddSink = &AddSink;
    g.EventSourceRemoveSink = &Unexpected;
    g.readyFlag = &g_flag;
    g.busyFlag = &g_flag;
    g.ReadinessQuery = &Unexpected;
    g.pilotingCallSite = g_code;
    g.cellManager = &g_noCellManager;
    for (const void*& identity : g.cellClassIdentities) identity = &g_flag;
    g.LookupLoadedFile = &Unexpected;
    g.ArrayReserve = &Unexpected;
    return g;
}

}  // namespace

veltrane::GameInterface& ProbeGame() {
    static veltrane::GameInterface game = CompleteGame();
    return game;
}

void OfferGame(bool offered) { g_offerGame = offered; }

const orbx::LoadInterface& ProbeLoader() { return g_loader; }

orbx::MessageListener RegisteredListener() { return g_listener; }

}  // namespace corvanis_test

extern "C" CORVANIS_EXPORT const veltrane::GameInterface* Veltrane_GetGameInterface() {
    return corvanis_test::g_offerGame ? &corvanis_test::ProbeGame() : nullptr;
}
