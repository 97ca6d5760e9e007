#include <nlohmann/json.hpp>

#include "tools/blueprint/BlueprintFix.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/DataFileList.h"
#include "tools/blueprint/DisplayText.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

namespace {

using nlohmann::json;

std::string Counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void WriteText(const FixOptions& options, const FixResult& result, std::ostream& out) {
    if (!result.indispensable.empty()) {
        out << options.input << ": nothing written: the ship cannot do without "
            << (result.indispensable.size() == 1 ? "this line" : "these lines")
            << ", naming forms of data files that are not loaded:\n";
        for (const IndispensableLine& line : result.indispensable) {
            out << "  line " << line.lineNumber << ": " << DisplayText(line.line) << "\n";
        }
        out << "Load the data files, or give their new names with --rename-data-file OLD=NEW.\n";
        return;
    }
    if (!result.Changed()) {
        out << "Wrote " << options.output << ", a copy of " << options.input << ": nothing needed changing.\n";
        return;
    }
    out << "Wrote " << options.output << ", a repaired copy of " << options.input << ":\n";
    for (const RenamedReferences& renamed : result.renamed) {
        out << "  " << Counted(renamed.references, "form reference", "form references") << " renamed from "
            << DisplayText(renamed.from) << " to " << DisplayText(renamed.to) << "\n";
    }
    for (const LeftOutElements& left : result.leftOut) {
        out << "  " << left.list << " left out: " << left.elements << " of " << DisplayText(left.dataFile) << "\n";
    }
}

json ResultJson(const FixOptions& options, const FixResult& result) {
    json renamed = json::array();
    for (const RenamedReferences& r : result.renamed) {
        renamed.push_back({{"from", DisplayText(r.from)}, {"to", DisplayText(r.to)}, {"references", r.references}});
    }
    json leftOut = json::array();
    for (const LeftOutElements& left : result.leftOut) {
        leftOut.push_back({{"list", left.list}, {"dataFile", DisplayText(left.dataFile)}, {"count", left.elements}});
    }
    json indispensable = json::array();
    for (const IndispensableLine& line : result.indispensable) {
        indispensable.push_back(
            {{"line", line.lineNumber}, {"text", DisplayText(line.line)}, {"dataFile", DisplayText(line.dataFile)}});
    }
    return {{"file", DisplayText(options.input)},
            {"output", DisplayText(options.output)},
            {"written", result.indispensable.empty()},
            {"changed", result.indispensable.empty() && result.Changed()},
            {"renamed", std::move(renamed)},
            {"leftOut", std::move(leftOut)},
            {"cannotLeaveOut", std::move(indispensable)}};
}

// The request the options make; false, telling `err`, when they make none.
bool MakeRequest(const FixOptions& options, FixRequest& request, std::ostream& err) {
    for (const std::string& text : options.renames) {
        const std::optional<DataFileRename> rename = ParseDataFileRename(text);
        if (!rename) {
            err << "corvanis-blueprint: --rename-data-file takes OLD=NEW, two data file names, NEW without '|': "
                << text << "\n";
            return false;
        }
        request.renames.push_back(*rename);
    }
    if (options.dropMissing != options.dataFileList.has_value()) {
        err << "corvanis-blueprint: --drop-missing and --data-files go together\n";
        return false;
    }
    if (request.renames.empty() && !options.dropMissing) {
        err << "corvanis-blueprint: fix needs --rename-data-file or --drop-missing: nothing to do\n";
        return false;
    }
    if (options.dataFileList) {
        std::vector<std::string> loaded;
        if (!ReadDataFileList(*options.dataFileList, loaded, err)) return false;
        request.loadedFiles = std::move(loaded);
    }
    return true;
}

}  // namespace

int RunFix(const FixOptions& options, std::ostream& out, std::ostream& err) {
    FixRequest request;
    if (!MakeRequest(options, request, err)) return kExitError;
    std::string bytes;
    if (!ReadNamedFile(options.input, bytes, err)) return kExitError;
    const FixResult result = FixBlueprint(bytes, request);
    if (result.indispensable.empty()) {
        switch (WriteNewFile(options.output, result.bytes)) {
            case NewFileResult::Written: break;
            case NewFileResult::NameTaken:
                err << "corvanis-blueprint: " << options.output
                    << " exists: fix never replaces a file; give the copy another name\n";
                return kExitError;
            case NewFileResult::Failed:
                err << "corvanis-blueprint: cannot write " << options.output << "\n";
                return kExitError;
        }
    }
    if (options.json) {
        out << ResultJson(options, result).dump(2) << "\n";
    } else {
        WriteText(options, result, out);
    }
    return result.indispensable.empty() ? kExitClean : kExitFound;
}

}  // namespace blueprint_tool
