// The tool's commands, each writing what it has to say to `out` and its
// complaints to `err`, and answering the process's exit code.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace blueprint_tool {

// Exit codes: nothing found, something found (a problem, a difference), and
// a command that could not do its work (a usage or file error).
inline constexpr int kExitClean = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

struct CheckOptions {
    std::vector<std::string> files;
    std::optional<std::string> dataFileList;
    bool json = false;
};

struct FixOptions {
    std::string input;
    std::string output;
    std::vector<std::string> renames;  // "OLD=NEW"
    bool dropMissing = false;
    std::optional<std::string> dataFileList;
    bool json = false;
};

struct ListOptions {
    std::optional<std::string> folder;  // none: the game's Spaceships folder, or the current one
    bool backups = false;
    std::optional<std::string> dataFileList;
    bool json = false;
};

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);
int RunInfo(const std::string& file, bool json, std::ostream& out, std::ostream& err);
int RunRender(const std::string& file, const std::string& picture, std::ostream& out, std::ostream& err);
int RunDiff(const std::string& before, const std::string& after, std::ostream& out, std::ostream& err);
// 0: the copy is written, 1: refused (lines that cannot be left out), nothing
// written, 2: a usage or file error, nothing written.
int RunFix(const FixOptions& options, std::ostream& out, std::ostream& err);
int RunList(const ListOptions& options, std::ostream& out, std::ostream& err);

}  // namespace blueprint_tool
