// The game's two command tables as the console starts with them: the game's
// commands and the free placeholders plug-ins may take over.
#include <cstdint>
#include <string>

#include "sim/console/CommandTables.h"
#include "sim/worldfile/WorldReading.h"

namespace sim {

namespace {

ParameterDescription ReadParameter(const Entry& parameter) {
    parameter.AllowOnly({"name", "type", "optional"});
    ParameterDescription read;
    read.name = parameter.Field("name").String();
    read.typeCode = static_cast<std::uint32_t>(parameter.Field("type").Unsigned(0xFFFFFFFF));
    read.isOptional = static_cast<std::uint32_t>(parameter.Field("optional").Unsigned(0xFFFFFFFF));
    return read;
}

// A plug-in's entry keeps what the dump recorded, but the tables made from it
// hold a free placeholder there: a game that starts runs none of another
// run's plug-in code.
TableEntry ReadTableEntry(const Entry& entry) {
    TableEntry described;
    if (entry.Value().is_string()) {
        const std::string text = entry.String();
        if (text == "free") return described;
        if (text == "unnamed") {
            described.kind = TableEntry::Kind::Unnamed;
            return described;
        }
        entry.Fail("must be \"free\", \"unnamed\" or an object with \"command\" or \"plugin\"");
    }
    entry.AllowOnly({"command", "plugin", "short", "help", "flags", "parameters"});
    if (entry.Has("command") == entry.Has("plugin")) entry.Fail("give one of \"command\" and \"plugin\"");
    const bool plugin = entry.Has("plugin");
    described.kind = plugin ? TableEntry::Kind::Plugin : TableEntry::Kind::Command;
    described.name = entry.Field(plugin ? "plugin" : "command").String();
    if (auto shortName = entry.Optional("short")) described.shortName = shortName->String();
    if (auto help = entry.Optional("help")) described.help = help->String();
    if (!plugin && (entry.Has("flags") || entry.Has("parameters"))) {
        entry.Fail("only plug-in entries record flags and parameters");
    }
    if (auto flags = entry.Optional("flags")) described.flags = static_cast<std::uint8_t>(flags->Unsigned(255));
    if (auto parameters = entry.Optional("parameters")) {
        for (const Entry& parameter : parameters->Elements()) described.parameters.push_back(ReadParameter(parameter));
    }
    return described;
}

void ReadTable(const Entry& table, TableContents& contents) {
    table.AllowOnly({"firstOpcode", "entries"});
    if (auto first = table.Optional("firstOpcode")) contents.firstOpcode = first->HexOrNumber();
    if (auto entries = table.Optional("entries")) {
        for (const Entry& entry : entries->Elements()) contents.entries.push_back(ReadTableEntry(entry));
    }
}

}  // namespace

void ReadConsole(const Entry& console, WorldContents& contents) {
    console.AllowOnly({"scriptCommands", "consoleCommands"});
    if (auto table = console.Optional("scriptCommands")) ReadTable(*table, contents.scriptTable);
    if (auto table = console.Optional("consoleCommands")) ReadTable(*table, contents.consoleTable);
}

}  // namespace sim
