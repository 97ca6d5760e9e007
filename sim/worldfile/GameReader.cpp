// The player, the game's own settings, and the session a dump records.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

using veltrane::Form;

constexpr std::uint32_t kPilotingRequirementFormID = 0x002CFCAC;

Form* LiveReference(const Entry& entry, bool nullable, const FormResolver& resolver) {
    Form* form = nullable ? resolver.FormOrNull(entry) : resolver.Form(entry);
    if (form == nullptr) return nullptr;
    if (form->kind != FormKind::Reference || form->ref->removed) entry.Fail("must name a reference in the world");
    return form;
}

}  // namespace

void ReadPlayer(const Entry& player, const FormResolver& resolver) {
    if (player.IsNull()) return;
    player.AllowOnly({"reference", "homeShip", "shipReference", "associatedCells"});
    PlayerInfo& info = resolver.TheWorld().player;
    info.reference = LiveReference(player.Field("reference"), false, resolver);
    if (auto homeShip = player.Optional("homeShip")) info.homeShip = LiveReference(*homeShip, true, resolver);
    if (auto ship = player.Optional("shipReference")) info.shipReference = LiveReference(*ship, true, resolver);
    if (auto cells = player.Optional("associatedCells")) {
        for (const Entry& cell : cells->Elements()) info.associatedCellIDs.push_back(resolver.FormID(cell));
    }
}

void ReadGame(const std::optional<Entry>& game, GameGlobals& globals, const FormResolver& resolver) {
    World& world = resolver.TheWorld();
    globals.pilotingRequirementForm = world.Lookup(kPilotingRequirementFormID);
    if (!game) return;
    game->AllowOnly({"workshopKeyword", "workshopItemKeyword", "pilotingRequirementForm", "pilotingRequirement",
                     "readiness", "nextRuntimeFormID", "cellManager"});
    if (auto keyword = game->Optional("workshopKeyword")) globals.workshopKeyword = resolver.FormOrNull(*keyword);
    if (auto keyword = game->Optional("workshopItemKeyword")) {
        globals.workshopItemKeyword = resolver.FormOrNull(*keyword);
    }
    if (auto form = game->Optional("pilotingRequirementForm")) {
        globals.pilotingRequirementForm = resolver.FormOrNull(*form);
    }
    if (auto requirement = game->Optional("pilotingRequirement")) {
        world.pilotingRequirement =
            static_cast<std::uintptr_t>(requirement->Unsigned(std::numeric_limits<std::uint32_t>::max()));
    }
    if (auto readiness = game->Optional("readiness")) {
        readiness->AllowOnly({"ready", "busy", "menuOpen"});
        if (auto ready = readiness->Optional("ready")) globals.readyFlag = ready->Bool() ? 1 : 0;
        if (auto busy = readiness->Optional("busy")) globals.busyFlag = busy->Bool() ? 1 : 0;
        if (auto menu = readiness->Optional("menuOpen")) globals.menuOpen = menu->Bool();
    }
    if (auto next = game->Optional("nextRuntimeFormID")) world.SetNextRuntimeFormID(ReadRuntimeID(*next));
    if (auto manager = game->Optional("cellManager"); manager && !manager->IsNull()) {
        ReadCellManager(*manager, globals, resolver);
    }
}

// Checked, but taken over by nothing: a game that starts has its own code.
void ReadSession(const Entry& session) {
    session.AllowOnly({"pilotingCallSite"});
    if (auto site = session.Optional("pilotingCallSite")) {
        const std::string text = site->String();
        if (text != "original" && text != "patched") site->Fail("must be \"original\" or \"patched\"");
    }
}

}  // namespace sim
