#include <algorithm>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <stdexcept>
#include <thread>

#include "sim/Game.h"
#include "sim/GameState.h"
#include "sim/code/PilotingCallSite.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/ConsoleText.h"
#include "sim/console/GameCommands.h"
#include "sim/console/commands/CommandGroups.h"
#include "sim/events/PlayerUpdateSource.h"
#include "sim/memory/GameMemory.h"
#include "sim/world/References.h"

namespace sim {

namespace {

using veltrane::Form;

constexpr std::chrono::milliseconds kUpdateInterval{50};

bool ParseCount(const std::string& text, std::uint64_t max, std::uint64_t& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12) return false;
    out = std::strtoull(text.c_str(), nullptr, 10);
    return out <= max;
}

std::optional<float> ParseNumber(const std::string& text) {
    float value = 0;
    const char* begin = text.data();
    if (!text.empty() && *begin == '+') ++begin;
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

Form* PlayerOrComplain(const std::string& command) {
    Form* player = TheWorld().player.reference;
    if (player == nullptr) WriteConsoleLine(command + ": there is no player character");
    return player;
}

void Board(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.board SHIP");
    if (!words) return;
    World& world = TheWorld();
    Form* player = PlayerOrComplain("sim.board");
    if (player == nullptr) return;
    Form* ship = FindTypedForm(world, words->front());
    if (!IsLiveReference(ship) || ship->ref->interiorCell == nullptr) {
        WriteConsoleLine("sim.board: \"" + words->front() + "\" is not a ship with an interior");
        return;
    }
    MoveReferenceToCell(player, ship->ref->interiorCell);
    world.player.shipReference = ship;
    WriteConsoleLine("The player boards " + Label(ship) + " and stands in " + Label(ship->ref->interiorCell) + ".");
}

void Leave(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.leave")) return;
    World& world = TheWorld();
    Form* player = PlayerOrComplain("sim.leave");
    if (player == nullptr) return;
    Form* ship = ShipPlayerIsIn(world);
    if (ship == nullptr) {
        WriteConsoleLine("sim.leave: the player is not aboard a ship");
        return;
    }
    Form* outside = ship->ref->parentCell;
    if (outside == nullptr || outside->cell->interior) {
        outside = nullptr;
        for (Form* cell : world.FormsOfKind(FormKind::Cell)) {
            if (!cell->cell->interior) {
                outside = cell;
                break;
            }
        }
    }
    if (outside == nullptr) {
        WriteConsoleLine("sim.leave: the world has no exterior cell");
        return;
    }
    MoveReferenceToCell(player, outside);
    WriteConsoleLine("The player leaves " + Label(ship) + " for " + Label(outside) + ".");
}

void Move(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 3, 3, "Usage: sim.move X Y Z");
    if (!words) return;
    Form* player = PlayerOrComplain("sim.move");
    if (player == nullptr) return;
    float position[3];
    for (int axis = 0; axis < 3; ++axis) {
        const auto value = ParseNumber((*words)[static_cast<std::size_t>(axis)]);
        if (!value) {
            WriteConsoleLine("Usage: sim.move X Y Z");
            return;
        }
        position[axis] = *value;
    }
    std::copy(position, position + 3, player->ref->position);
    WriteConsoleLine("The player stands at " + VectorText(position) + ".");
}

void Tick(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 0, 1, "Usage: sim.tick [COUNT]");
    if (!words) return;
    std::uint64_t count = 1;
    if (!words->empty() && !ParseCount(words->front(), 1000000, count)) {
        WriteConsoleLine("Usage: sim.tick [COUNT]");
        return;
    }
    for (std::uint64_t i = 0; i < count; ++i) DispatchPlayerUpdate(&TheGame().playerUpdates);
    WriteConsoleLine("Player update events sent: " + std::to_string(count));
}

void Wait(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.wait SECONDS");
    if (!words) return;
    const auto seconds = ParseNumber(words->front());
    if (!seconds || *seconds < 0 || *seconds > 3600) {
        WriteConsoleLine("Usage: sim.wait SECONDS");
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*seconds));
    while (true) {
        DispatchPlayerUpdate(&TheGame().playerUpdates);
        const Clock::time_point now = Clock::now();
        if (now >= end) break;
        std::this_thread::sleep_for(std::min<Clock::duration>(kUpdateInterval, end - now));
    }
    WriteConsoleLine("Waited " + FloatText(*seconds) + " s.");
}

void PilotCheck(const std::string& arguments) {
    if (!CommandArguments(arguments, 0, 0, "Usage: sim.pilotcheck")) return;
    const World& world = TheWorld();
    const std::uintptr_t requirement = VeltranePilotingCheck(world.player.reference, ShipPlayerIsIn(world));
    WriteConsoleLine("Piloting skill requirement: " + std::to_string(requirement));
}

void FreeSlots(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 2, 2, "Usage: sim.freeslots script|console COUNT");
    if (!words) return;
    const std::string& which = (*words)[0];
    std::uint64_t count = 0;
    if ((which != "script" && which != "console") || !ParseCount((*words)[1], 100000, count)) {
        WriteConsoleLine("Usage: sim.freeslots script|console COUNT");
        return;
    }
    const CommandTableKind kind = which == "script" ? CommandTableKind::Script : CommandTableKind::Console;
    const std::string table = which == "script" ? "script-command" : "console-command";
    if (!TheGame().tables.FreeEntries(kind, static_cast<std::uint32_t>(count))) {
        WriteConsoleLine("sim.freeslots: the " + table + " table has fewer than " + std::to_string(count) +
                         " script commands to free");
        return;
    }
    WriteConsoleLine("Free placeholders made in the " + table + " table: " + std::to_string(count));
}

std::optional<bool> OnOff(const std::string& arguments, const std::string& usage) {
    const auto words = CommandArguments(arguments, 1, 1, usage);
    if (!words) return std::nullopt;
    if (words->front() == "on") return true;
    if (words->front() == "off") return false;
    WriteConsoleLine(usage);
    return std::nullopt;
}

const char* OnOffText(bool on) { return on ? "on" : "off"; }

void Busy(const std::string& arguments) {
    const auto on = OnOff(arguments, "Usage: sim.busy on|off");
    if (!on) return;
    TheGame().globals.busyFlag = *on ? 1 : 0;
    WriteConsoleLine(std::string("Busy flag: ") + OnOffText(*on));
}

void Ready(const std::string& arguments) {
    const auto on = OnOff(arguments, "Usage: sim.ready on|off");
    if (!on) return;
    TheGame().globals.readyFlag = *on ? 1 : 0;
    WriteConsoleLine(std::string("Ready flag: ") + OnOffText(*on));
}

void Menu(const std::string& arguments) {
    const auto on = OnOff(arguments, "Usage: sim.menu on|off");
    if (!on) return;
    TheGame().globals.menuOpen = *on;
    WriteConsoleLine(std::string("Menu open: ") + OnOffText(*on));
}

void Dump(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.dump FILE");
    if (!words) return;
    std::string error;
    if (DumpWorld(words->front(), error)) {
        WriteConsoleLine("World written to " + words->front());
    } else {
        WriteConsoleLine("sim.dump: " + error);
    }
}

// Memory that runs out at a chosen moment, for the paths of a plug-in that
// only a full game takes.
void FailAllocation(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.fail-allocation N");
    if (!words) return;
    std::uint64_t number = 0;
    if (!ParseCount(words->front(), 1000000000, number) || number == 0) {
        WriteConsoleLine("Usage: sim.fail-allocation N");
        return;
    }
    FailGameAllocation(number);
    WriteConsoleLine("The game's allocation " + std::to_string(number) + " from now fails.");
}

// The player's system may run the game in any locale; plug-ins must write
// their files the same in all of them.
void Locale(const std::string& arguments) {
    const auto words = CommandArguments(arguments, 1, 1, "Usage: sim.locale NAME");
    if (!words) return;
    const std::string& name = words->front();
    const char* set = std::setlocale(LC_ALL, name.c_str());
    if (set == nullptr) {
        WriteConsoleLine("sim.locale: the system has no locale " + name);
        return;
    }
    const std::string setName = set;
    // Streams follow it too where the C++ runtime knows the name (not on
    // Windows, whose C++ runtime knows only "C").
    try {
        std::locale::global(std::locale(name));
    } catch (const std::runtime_error&) {
    }
    char sample[32];
    std::snprintf(sample, sizeof sample, "%f", 1.5);
    WriteConsoleLine("Process locale: " + setName + ", printf writes 1.5 as " + sample);
}

}  // namespace

void RegisterStagingCommands() {
    RegisterGameCommand("sim.dump", "Writes the world as a world file: sim.dump FILE", &Dump);
    RegisterGameCommand("sim.board", "Puts the player into a ship's interior: sim.board SHIP", &Board);
    RegisterGameCommand("sim.leave", "Takes the player out of the ship to an exterior cell: sim.leave", &Leave);
    RegisterGameCommand("sim.move", "Sets the player's position: sim.move X Y Z", &Move);
    RegisterGameCommand("sim.tick", "Sends player update events: sim.tick [COUNT]", &Tick);
    RegisterGameCommand("sim.wait", "Lets real time pass while player update events keep coming: sim.wait SECONDS",
                        &Wait);
    RegisterGameCommand("sim.pilotcheck", "Runs the game's piloting skill check for the player: sim.pilotcheck",
                        &PilotCheck);
    RegisterGameCommand("sim.freeslots",
                        "Turns script commands of a table into free placeholders: sim.freeslots script|console COUNT",
                        &FreeSlots);
    RegisterGameCommand("sim.busy", "Sets the game's busy flag: sim.busy on|off", &Busy);
    RegisterGameCommand("sim.ready", "Sets the game's ready flag: sim.ready on|off", &Ready);
    RegisterGameCommand("sim.locale", "Sets the process locale: sim.locale NAME", &Locale);
    RegisterGameCommand("sim.fail-allocation",
                        "Makes the game's Nth allocation of memory from now fail, once: sim.fail-allocation N",
                        &FailAllocation);
    RegisterGameCommand("sim.menu", "Opens or closes a menu, which makes the game not ready: sim.menu on|off", &Menu);
}

}  // namespace sim
