// The simulated game as the loader and the command line drive it. Everything
// the game prints is one line on standard output.
#pragma once

#include <functional>
#include <string>

namespace sim {

// Replaces the world with the one in the file. On failure the world is left
// as it was and `error` names the file, the offending entry and the problem.
bool LoadWorld(const std::string& path, std::string& error);

// As LoadWorld, from a text; `sourceName` stands for the file in messages.
bool LoadWorldFromText(const std::string& text, const std::string& sourceName, std::string& error);

// Back to the world the game starts with.
void LoadDefaultWorld();

// Writes the whole world, with everything plug-ins changed, as a world file.
bool DumpWorld(const std::string& path, std::string& error);
std::string DumpWorldToText();

// Quits the game: the world is checked and given back through the game's own
// frees. A fault found is a game error.
void QuitGame();

// Runs one console line as if the player had typed it.
void RunConsoleLine(const std::string& line);

// Prints one line on the game console, verbatim.
void PrintConsoleLine(const std::string& text);

// Sees every console line as it is printed (tests read the console this way).
// An empty function stops it.
using ConsoleObserver = std::function<void(const std::string& line)>;
void SetConsoleObserver(ConsoleObserver observer);

// Adds a command of the game's own to the console-command table (for example
// the loader's sim.plugins). The handler gets the text after the command word.
using GameCommandHandler = std::function<void(const std::string& arguments)>;
void AddGameCommand(const std::string& name, const std::string& help, GameCommandHandler handler);

}  // namespace sim
