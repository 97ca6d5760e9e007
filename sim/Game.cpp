#include "sim/Game.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/layouts/CommandTables.h"
#include "sim/GameInterface.h"
#include "sim/GameState.h"
#include "sim/console/Arguments.h"
#include "sim/console/CommandTables.h"
#include "sim/console/ConsoleOutput.h"
#include "sim/console/GameCommands.h"
#include "sim/console/ScriptCall.h"
#include "sim/worldfile/DefaultWorld.h"
#include "sim/worldfile/WorldReader.h"
#include "sim/worldfile/WorldWriter.h"

namespace sim {

namespace {

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

bool LoadWorldFromText(const std::string& text, const std::string& sourceName, std::string& error) {
    auto contents = ReadWorldText(text, sourceName, error);
    if (!contents) return false;
    ActivateWorld(TheGame(), std::move(*contents));
    return true;
}

bool LoadWorld(const std::string& path, std::string& error) {
    std::error_code ignored;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, ignored)) {
        error = path + ": the file cannot be read";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = path + ": the file cannot be read";
        return false;
    }
    return LoadWorldFromText(text.str(), path, error);
}

void LoadDefaultWorld() {
    std::string error;
    LoadWorldFromText(DefaultWorldText(), "default world", error);
}

std::string DumpWorldToText() { return WriteWorldText(TheGame()); }

bool DumpWorld(const std::string& path, std::string& error) {
    const std::string text = DumpWorldToText();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (file) file.close();
    if (!file) {
        error = path + ": the file cannot be written";
        return false;
    }
    return true;
}

void QuitGame() { EndWorld(TheGame()); }

void RunConsoleLine(const std::string& line) {
    const std::string text = Trimmed(line);
    if (text.empty()) return;
    std::size_t wordEnd = 0;
    while (wordEnd < text.size() && !IsBlank(text[wordEnd])) ++wordEnd;
    const std::string word = text.substr(0, wordEnd);
    const veltrane::CommandEntry* entry = TheGame().tables.Find(word);
    if (entry == nullptr) {
        WriteConsoleLine("Unknown command: " + word);
        return;
    }
    if (!CanaryIntact(*entry)) {
        ReportGameError("the command entry of " + word + " was written beyond the fields a plug-in fills");
        return;
    }
    ScriptCall call;
    call.entry = entry;
    call.arguments = Trimmed(text.substr(wordEnd));
    double result = 0;
    std::uint32_t opcodeOffset = 0;
    call.opcodeOffset = &opcodeOffset;
    std::uint8_t* objects = call.handlerObjects;
    entry->execute(entry->parameters, &call, &objects[0], &objects[1], &objects[2], &objects[3], &result,
                   &opcodeOffset);
}

void PrintConsoleLine(const std::string& text) { WriteConsoleLine(text); }

void AddGameCommand(const std::string& name, const std::string& help, GameCommandHandler handler) {
    GameState& game = TheGame();
    RegisterGameCommand(name, help, std::move(handler));
    game.tables.RebuildConsole();
    RefreshGameInterface(game);
}

}  // namespace sim
