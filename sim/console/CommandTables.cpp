#include "sim/console/CommandTables.h"

#include <algorithm>
#include <cstring>

#include "host/layouts/CommandTables.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/GameCommands.h"
#include "sim/console/ScriptCall.h"
#include "sim/world/AsciiCase.h"

namespace sim {

using veltrane::CommandEntry;

namespace {

std::string TextOrEmpty(const char* text) { return text == nullptr ? std::string() : std::string(text); }

void StoreRegistryIndex(CommandEntry& entry, std::uint32_t index) {
    std::memcpy(entry.gameFields, &index, sizeof index);
}

std::uint32_t RegistryIndex(const CommandEntry& entry) {
    std::uint32_t index;
    std::memcpy(&index, entry.gameFields, sizeof index);
    return index;
}

// The game's own bytes after the registry index hold a pattern of its own, so
// that a plug-in that writes more of an entry than its fields shows.
constexpr std::size_t kCanaryStart = sizeof(std::uint32_t);
constexpr std::uint8_t CanaryByte(std::size_t at) { return static_cast<std::uint8_t>(0xC5 ^ (at * 0x1D)); }

void StampCanary(CommandEntry& entry) {
    for (std::size_t at = kCanaryStart; at < sizeof entry.gameFields; ++at) entry.gameFields[at] = CanaryByte(at);
}

}  // namespace

bool PlaceholderExecute(void*, void*, void*, void*, void*, void*, void*, void*) { return false; }

bool CanaryIntact(const CommandEntry& entry) {
    for (std::size_t at = kCanaryStart; at < sizeof entry.gameFields; ++at) {
        if (entry.gameFields[at] != CanaryByte(at)) return false;
    }
    return true;
}

bool IsCommand(const CommandEntry& entry) {
    return entry.execute != nullptr && entry.execute != &PlaceholderExecute;
}

bool IsPluginEntry(const CommandEntry& entry) {
    return entry.execute != &ScriptCommandExecute && entry.execute != &GameCommandExecute;
}

bool HasShortName(const CommandEntry& entry) { return entry.shortName != nullptr && *entry.shortName != '\0'; }

bool ScriptCommandExecute(void*, void* scriptData, void*, void*, void*, void*, void*, void*) {
    const ScriptCall* call = AsScriptCall(scriptData);
    if (call == nullptr) return false;
    WriteConsoleLine(TextOrEmpty(call->entry->longName) + ": this script command has no effect in the simulated game");
    return true;
}

bool GameCommandExecute(void*, void* scriptData, void*, void*, void*, void*, void*, void*) {
    const ScriptCall* call = AsScriptCall(scriptData);
    if (call == nullptr) return false;
    const auto& registry = GameCommandRegistry();
    const std::uint32_t index = RegistryIndex(*call->entry);
    if (index >= registry.size()) return false;
    registry[index].handler(call->arguments);
    return true;
}

const char* CommandTables::Keep(const std::string& text) {
    texts_.push_back(text);
    return texts_.back().c_str();
}

CommandEntry CommandTables::MakeEntry(const TableEntry& described) {
    CommandEntry entry{};
    switch (described.kind) {
        case TableEntry::Kind::Free:
        case TableEntry::Kind::Plugin:
            entry.longName = Keep("Placeholder");
            entry.shortName = Keep("");
            entry.helpText = Keep("");
            entry.execute = &PlaceholderExecute;
            break;
        case TableEntry::Kind::Unnamed:
            entry.execute = &PlaceholderExecute;
            break;
        case TableEntry::Kind::Command:
            entry.longName = Keep(described.name);
            entry.shortName = Keep(described.shortName);
            entry.helpText = Keep(described.help);
            entry.execute = &ScriptCommandExecute;
            break;
    }
    return entry;
}

void CommandTables::Finish(std::vector<CommandEntry>& table, std::uint32_t firstOpcode,
                           std::uint32_t sentinelFloor) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i].opcode = firstOpcode + static_cast<std::uint32_t>(i);
        StampCanary(table[i]);
    }
    CommandEntry sentinel{};
    StampCanary(sentinel);
    sentinel.opcode = std::max(firstOpcode + static_cast<std::uint32_t>(table.size()), sentinelFloor);
    table.push_back(sentinel);
}

void CommandTables::Build(const TableContents& script, const TableContents& console) {
    texts_.clear();
    script_.clear();
    scriptFirstOpcode_ = script.firstOpcode;
    for (const TableEntry& described : script.entries) script_.push_back(MakeEntry(described));
    Finish(script_, scriptFirstOpcode_, kScriptSentinelOpcode);

    console_.clear();
    consoleWorldStart_ = 0;
    consoleFirstOpcode_ = console.firstOpcode;
    for (const TableEntry& described : console.entries) console_.push_back(MakeEntry(described));
    console_.push_back(CommandEntry{});  // stands for the sentinel RebuildConsole drops
    RebuildConsole();
}

void CommandTables::RebuildConsole() {
    std::vector<CommandEntry> world(console_.begin() + static_cast<std::ptrdiff_t>(consoleWorldStart_),
                                    console_.end() - 1);
    console_.clear();
    const auto& registry = GameCommandRegistry();
    for (std::size_t i = 0; i < registry.size(); ++i) {
        CommandEntry entry{};
        entry.longName = Keep(registry[i].name);
        entry.shortName = Keep("");
        entry.helpText = Keep(registry[i].help);
        entry.execute = &GameCommandExecute;
        StoreRegistryIndex(entry, static_cast<std::uint32_t>(i));
        console_.push_back(entry);
    }
    consoleWorldStart_ = console_.size();
    console_.insert(console_.end(), world.begin(), world.end());
    Finish(console_, consoleFirstOpcode_, kConsoleSentinelOpcode);
}

std::vector<CommandEntry>& CommandTables::TableFor(CommandTableKind kind) {
    return kind == CommandTableKind::Script ? script_ : console_;
}

const std::vector<CommandEntry>& CommandTables::TableFor(CommandTableKind kind) const {
    return kind == CommandTableKind::Script ? script_ : console_;
}

CommandEntry* CommandTables::Table(CommandTableKind kind) { return TableFor(kind).data(); }

std::size_t CommandTables::WorldEntriesStart(CommandTableKind kind) const {
    return kind == CommandTableKind::Script ? 0 : consoleWorldStart_;
}

TableContents CommandTables::Describe(CommandTableKind kind) const {
    const std::vector<CommandEntry>& table = TableFor(kind);
    TableContents contents;
    contents.firstOpcode = kind == CommandTableKind::Script ? scriptFirstOpcode_ : consoleFirstOpcode_;
    for (std::size_t i = WorldEntriesStart(kind); i + 1 < table.size(); ++i) {
        const CommandEntry& entry = table[i];
        TableEntry described;
        if (entry.execute == &PlaceholderExecute) {
            described.kind = entry.longName == nullptr ? TableEntry::Kind::Unnamed : TableEntry::Kind::Free;
        } else {
            described.kind = IsPluginEntry(entry) ? TableEntry::Kind::Plugin : TableEntry::Kind::Command;
            described.name = TextOrEmpty(entry.longName);
            described.shortName = TextOrEmpty(entry.shortName);
            described.help = TextOrEmpty(entry.helpText);
            if (described.kind == TableEntry::Kind::Plugin) {
                described.flags = entry.flags;
                for (std::uint16_t p = 0; entry.parameters != nullptr && p < entry.parameterCount; ++p) {
                    const veltrane::ParameterDefinition& definition = entry.parameters[p];
                    described.parameters.push_back(
                        {TextOrEmpty(definition.name), definition.typeCode, definition.isOptional});
                }
            }
        }
        contents.entries.push_back(std::move(described));
    }
    return contents;
}

bool CommandTables::FreeEntries(CommandTableKind kind, std::uint32_t count) {
    std::vector<CommandEntry>& table = TableFor(kind);
    std::vector<std::size_t> occupied;
    for (std::size_t i = WorldEntriesStart(kind); i + 1 < table.size(); ++i) {
        if (table[i].execute == &ScriptCommandExecute) occupied.push_back(i);
    }
    if (occupied.size() < count) return false;
    for (std::uint32_t n = 0; n < count; ++n) {
        CommandEntry& entry = table[occupied[n]];
        const std::uint32_t opcode = entry.opcode;
        entry = MakeEntry(TableEntry{});
        entry.opcode = opcode;
        StampCanary(entry);
    }
    return true;
}

const CommandEntry* CommandTables::Find(const std::string& word) const {
    for (const std::vector<CommandEntry>* table : {&console_, &script_}) {
        for (std::size_t i = 0; i + 1 < table->size(); ++i) {
            const CommandEntry& entry = (*table)[i];
            if (!IsCommand(entry)) continue;
            if (entry.longName != nullptr && SameTextIgnoringCase(entry.longName, word)) return &entry;
            if (HasShortName(entry) && SameTextIgnoringCase(entry.shortName, word)) return &entry;
        }
    }
    return nullptr;
}

std::vector<const CommandEntry*> CommandTables::Entries(CommandTableKind kind) const {
    const std::vector<CommandEntry>& table = TableFor(kind);
    std::vector<const CommandEntry*> entries;
    for (std::size_t i = 0; i + 1 < table.size(); ++i) entries.push_back(&table[i]);
    return entries;
}

}  // namespace sim
