#include "host/host.h"

#include "platform/platform.h"

namespace host {

namespace {

using veltrane::GameInterface;

// A member of the table the plug-in relies on, and its name for reports.
struct RequiredMember {
    const char* name;
    bool (*present)(const GameInterface& game);
};

template <auto member>
bool Present(const GameInterface& game) {
    return game.*member != nullptr;
}

bool CellClassIdentitiesPresent(const GameInterface& game) {
    for (const void* identity : game.cellClassIdentities) {
        if (identity == nullptr) return false;
    }
    return true;
}

// Every operation the plug-in calls and every address of a game global or
// table it reads. A binding to a game build computes each of them, so one
// that is missing means the build does not fit; a member that a game may
// leave empty stays off this list.
constexpr RequiredMember kRequired[] = {
    {"LookupFormByID", &Present<&GameInterface::LookupFormByID>},
    {"LookupFormByFileAndLocalID", &Present<&GameInterface::LookupFormByFileAndLocalID>},
    {"FormGetID", &Present<&GameInterface::FormGetID>},
    {"FormGetStoredType", &Present<&GameInterface::FormGetStoredType>},
    {"FormQueryType", &Present<&GameInterface::FormQueryType>},
    {"FormGetEditorID", &Present<&GameInterface::FormGetEditorID>},
    {"FormGetDisplayName", &Present<&GameInterface::FormGetDisplayName>},
    {"CastToGenericBaseForm", &Present<&GameInterface::CastToGenericBaseForm>},
    {"CastToBoundObject", &Present<&GameInterface::CastToBoundObject>},
    {"FormGetFileListIndex", &Present<&GameInterface::FormGetFileListIndex>},
    {"FormGetKeywords", &Present<&GameInterface::FormGetKeywords>},
    {"fileLists", &Present<&GameInterface::fileLists>},
    {"IsFileRecord", &Present<&GameInterface::IsFileRecord>},
    {"FileGetName", &Present<&GameInterface::FileGetName>},
    {"FileGetCompileIndex", &Present<&GameInterface::FileGetCompileIndex>},
    {"FileGetMediumIndex", &Present<&GameInterface::FileGetMediumIndex>},
    {"FileGetSmallIndex", &Present<&GameInterface::FileGetSmallIndex>},
    {"FileGetFlags", &Present<&GameInterface::FileGetFlags>},
    {"formTypeNames", &Present<&GameInterface::formTypeNames>},
    {"RefGetBaseObject", &Present<&GameInterface::RefGetBaseObject>},
    {"RefGetParentCell", &Present<&GameInterface::RefGetParentCell>},
    {"RefGetExtraDataList", &Present<&GameInterface::RefGetExtraDataList>},
    {"ExtraGetEditorID", &Present<&GameInterface::ExtraGetEditorID>},
    {"ExtraGetOverrideName", &Present<&GameInterface::ExtraGetOverrideName>},
    {"ExtraGetFormID", &Present<&GameInterface::ExtraGetFormID>},
    {"RefGetPosition", &Present<&GameInterface::RefGetPosition>},
    {"RefGetRotation", &Present<&GameInterface::RefGetRotation>},
    {"RefGetScale", &Present<&GameInterface::RefGetScale>},
    {"RefHasKeyword", &Present<&GameInterface::RefHasKeyword>},
    {"RefGetLinkedRef", &Present<&GameInterface::RefGetLinkedRef>},
    {"RefSetLinkedRef", &Present<&GameInterface::RefSetLinkedRef>},
    {"RefSetDisplayNameOverride", &Present<&GameInterface::RefSetDisplayNameOverride>},
    {"CreateReference", &Present<&GameInterface::CreateReference>},
    {"ReferenceFromHandle", &Present<&GameInterface::ReferenceFromHandle>},
    {"ReleaseReference", &Present<&GameInterface::ReleaseReference>},
    {"RemoveReference", &Present<&GameInterface::RemoveReference>},
    {"RemovedWorkshopItemCleanup", &Present<&GameInterface::RemovedWorkshopItemCleanup>},
    {"GetDistance", &Present<&GameInterface::GetDistance>},
    {"CellIsInterior", &Present<&GameInterface::CellIsInterior>},
    {"CellGetReferences", &Present<&GameInterface::CellGetReferences>},
    {"CellCheck", &Present<&GameInterface::CellCheck>},
    {"GetPlayerCharacter", &Present<&GameInterface::GetPlayerCharacter>},
    {"GetShipPlayerIsIn", &Present<&GameInterface::GetShipPlayerIsIn>},
    {"GetPlayerHomeShip", &Present<&GameInterface::GetPlayerHomeShip>},
    {"ActorGetShipRef", &Present<&GameInterface::ActorGetShipRef>},
    {"ActorGetAssociatedCellIDs", &Present<&GameInterface::ActorGetAssociatedCellIDs>},
    {"ShipGetInteriorCell", &Present<&GameInterface::ShipGetInteriorCell>},
    {"FindComponent", &Present<&GameInterface::FindComponent>},
    {"Allocate", &Present<&GameInterface::Allocate>},
    {"Deallocate", &Present<&GameInterface::Deallocate>},
    {"ArrayAppend", &Present<&GameInterface::ArrayAppend>},
    {"FixedStringMake", &Present<&GameInterface::FixedStringMake>},
    {"FixedStringAssign", &Present<&GameInterface::FixedStringAssign>},
    {"FixedStringRelease", &Present<&GameInterface::FixedStringRelease>},
    {"workshopKeyword", &Present<&GameInterface::workshopKeyword>},
    {"workshopItemKeyword", &Present<&GameInterface::workshopItemKeyword>},
    {"pilotingRequirementForm", &Present<&GameInterface::pilotingRequirementForm>},
    {"scriptCommands", &Present<&GameInterface::scriptCommands>},
    {"consoleCommands", &Present<&GameInterface::consoleCommands>},
    {"placeholderHandler", &Present<&GameInterface::placeholderHandler>},
    {"ExtractParameters", &Present<&GameInterface::ExtractParameters>},
    {"ConsolePrint", &Present<&GameInterface::ConsolePrint>},
    {"GetPlayerUpdateEventSource", &Present<&GameInterface::GetPlayerUpdateEventSource>},
    {"EventSourceAddSink", &Present<&GameInterface::EventSourceAddSink>},
    {"EventSourceRemoveSink", &Present<&GameInterface::EventSourceRemoveSink>},
    {"readyFlag", &Present<&GameInterface::readyFlag>},
    {"busyFlag", &Present<&GameInterface::busyFlag>},
    {"ReadinessQuery", &Present<&GameInterface::ReadinessQuery>},
    {"pilotingCallSite", &Present<&GameInterface::pilotingCallSite>},
    {"cellManager", &Present<&GameInterface::cellManager>},
    {"cellClassIdentities", &CellClassIdentitiesPresent},
    {"LookupLoadedFile", &Present<&GameInterface::LookupLoadedFile>},
    {"ArrayReserve", &Present<&GameInterface::ArrayReserve>},
};

struct Binding {
    const GameInterface* game;
    std::string mismatch;
};

Binding Resolve() {
    auto get = reinterpret_cast<veltrane::GetGameInterfaceFn>(
        platform::MainModuleSymbol(veltrane::kGameInterfaceExport));
    const GameInterface* game = get != nullptr ? get() : nullptr;
    return {game, GameInterfaceMismatch(game)};
}

const Binding& Resolved() {
    static const Binding binding = Resolve();
    return binding;
}

}  // namespace

std::string GameInterfaceMismatch(const GameInterface* game) {
    if (game == nullptr) return "no game interface";
    if (game->version != veltrane::kGameInterfaceVersion) {
        return "game interface version " + std::to_string(game->version) + ", expected " +
               std::to_string(veltrane::kGameInterfaceVersion);
    }
    if (game->size != sizeof(GameInterface)) {
        return "game interface of " + std::to_string(game->size) + " bytes, expected " +
               std::to_string(sizeof(GameInterface));
    }
    for (const RequiredMember& member : kRequired) {
        if (!member.present(*game)) return std::string("game interface without ") + member.name;
    }
    return {};
}

std::string Bind() { return Resolved().mismatch; }

const GameInterface& Game() { return *Resolved().game; }

namespace {

void (*g_consoleEcho)(const char* text) = nullptr;

}  // namespace

void PrintConsole(const char* text) {
    Game().ConsolePrint("%s", text);
    if (g_consoleEcho != nullptr) g_consoleEcho(text);
}

void SetConsoleEcho(void (*echo)(const char* text)) { g_consoleEcho = echo; }

ScopedFixedString::ScopedFixedString(const char* text) { Game().FixedStringMake(&string_, text); }

ScopedFixedString::~ScopedFixedString() { Game().FixedStringRelease(&string_); }

void* FindComponent(Form* form, const char* typeName) {
    if (form == nullptr) return nullptr;
    ScopedFixedString name(typeName);
    return Game().FindComponent(form, name.get(), 0);
}

}  // namespace host
