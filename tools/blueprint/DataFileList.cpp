#include "tools/blueprint/DataFileList.h"

#include "import/reading/BlueprintLines.h"
#include "import/reading/NumberScan.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && Corvanis::IsCBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && Corvanis::IsCBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::vector<std::string> ParseDataFileList(std::string_view text) {
    std::vector<std::string> names;
    for (const Corvanis::BlueprintLine& line : Corvanis::BlueprintLines(text)) {
        std::string_view name = Trimmed(line.Text());
        if (name.empty() || name.front() == '#') continue;
        if (name.front() == '*') name = Trimmed(name.substr(1));
        if (!name.empty()) names.emplace_back(name);
    }
    return names;
}

bool ReadDataFileList(const std::string& path, std::vector<std::string>& names, std::ostream& err) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        err << "corvanis-blueprint: cannot read the data file list " << path << "\n";
        return false;
    }
    names = ParseDataFileList(text);
    return true;
}

}  // namespace blueprint_tool
