// The game's two command tables, arrays of 88-byte entries as host/layouts/CommandTables.h
// lays them out. The console-command table starts with the game's own console
// commands; after them, and in the script-command table, come the entries a
// world file gives: script commands and free placeholders that plug-ins may
// take over. Each table runs on to a sentinel entry whose opcode lies past
// every scan bound, so a scan always stops inside the array.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "host/layouts/CommandTables.h"

namespace sim {

enum class CommandTableKind { Script, Console };

constexpr std::uint32_t kDefaultScriptFirstOpcode = 0x1000;
constexpr std::uint32_t kDefaultConsoleFirstOpcode = 0x100;
// The sentinel's opcode is at least this, past where plug-ins stop scanning.
constexpr std::uint32_t kScriptSentinelOpcode = 0x13C0;
constexpr std::uint32_t kConsoleSentinelOpcode = 0x347;

struct ParameterDescription {
    std::string name;
    std::uint32_t typeCode = 0;
    std::uint32_t isOptional = 0;
};

struct TableEntry {
    enum class Kind {
        Free,     // a placeholder with a name, free for plug-ins
        Unnamed,  // a placeholder whose long name is null
        Command,  // one of the game's script commands
        Plugin,   // written over by a plug-in; a world loads it as Free
    };
    Kind kind = Kind::Free;
    std::string name;
    std::string shortName;
    std::string help;
    std::uint8_t flags = 0;
    std::vector<ParameterDescription> parameters;
};

struct TableContents {
    std::uint32_t firstOpcode = 0;
    std::vector<TableEntry> entries;
};

// The handlers the game puts into its own entries.
bool PlaceholderExecute(void*, void*, void*, void*, void*, void*, void*, void*);
bool ScriptCommandExecute(void*, void* scriptData, void*, void*, void*, void*, void*, void*);
bool GameCommandExecute(void*, void* scriptData, void*, void*, void*, void*, void*, void*);

// An entry the console can run: it has a handler, and not a placeholder's.
bool IsCommand(const veltrane::CommandEntry& entry);
// Whether the game's own bytes of the entry are as the game left them.
bool CanaryIntact(const veltrane::CommandEntry& entry);
// An entry a plug-in wrote: its handler is none of the game's own.
bool IsPluginEntry(const veltrane::CommandEntry& entry);
bool HasShortName(const veltrane::CommandEntry& entry);

class CommandTables {
public:
    // Lays out both tables from a world's contents. Plug-in entries become free
    // placeholders: a game that starts has its own code, not a plug-in's.
    void Build(const TableContents& script, const TableContents& console);
    // Lays out the console table again after the game's own commands changed;
    // the world's entries keep their state, plug-in entries included.
    void RebuildConsole();

    veltrane::CommandEntry* Table(CommandTableKind kind);
    // The world's entries as they stand now, for a dump.
    TableContents Describe(CommandTableKind kind) const;

    // Turns the first `count` script commands of the table into free
    // placeholders; false (and nothing changed) when there are fewer.
    bool FreeEntries(CommandTableKind kind, std::uint32_t count);

    // The command typed in the console: console table first, then script
    // table, by long or short name, ignoring letter case. Placeholders are not
    // commands.
    const veltrane::CommandEntry* Find(const std::string& word) const;

    // Every entry before the sentinel, in order.
    std::vector<const veltrane::CommandEntry*> Entries(CommandTableKind kind) const;
    std::size_t WorldEntriesStart(CommandTableKind kind) const;

private:
    std::vector<veltrane::CommandEntry>& TableFor(CommandTableKind kind);
    const std::vector<veltrane::CommandEntry>& TableFor(CommandTableKind kind) const;
    const char* Keep(const std::string& text);
    veltrane::CommandEntry MakeEntry(const TableEntry& described);
    void Finish(std::vector<veltrane::CommandEntry>& table, std::uint32_t firstOpcode,
                std::uint32_t sentinelFloor);

    std::vector<veltrane::CommandEntry> script_;
    std::vector<veltrane::CommandEntry> console_;
    std::uint32_t scriptFirstOpcode_ = kDefaultScriptFirstOpcode;
    std::uint32_t consoleFirstOpcode_ = kDefaultConsoleFirstOpcode;
    std::size_t consoleWorldStart_ = 0;
    std::deque<std::string> texts_;
};

}  // namespace sim
