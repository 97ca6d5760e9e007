#include "tools/blueprint/DataFileList.h"

#include "import/reading/BlueprintLines.h"
#include "import/reading/NumberScan.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

namespace {

char FoldedLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

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

bool SameDataFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldedLetter(a[i]) != FoldedLetter(b[i])) return false;
    }
    return true;
}

std::string FoldedDataFileName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = FoldedLetter(c);
    return folded;
}

}  // namespace blueprint_tool
