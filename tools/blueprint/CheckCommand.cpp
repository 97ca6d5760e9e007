#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "tools/blueprint/BlueprintReading.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/DataFileList.h"
#include "tools/blueprint/DisplayText.h"
#include "tools/blueprint/NumberText.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

namespace {

using nlohmann::json;

// Lines that say the same of the same key are shown once, with the numbers
// of the others.
constexpr std::size_t kLineNumbersShown = 10;

std::string MissingText(const MissingForm& form) {
    return "no form " + form.referenceText + ": " + form.fileName + " is not in the data file list";
}

// The key of a line with its indices left out: the lines of one kind.
std::string KeyShape(std::string_view line) {
    const std::string_view key = Corvanis::BlueprintLine(line).KeyPart();
    std::string shape;
    bool inBrackets = false;
    for (const char c : key) {
        if (c == ']') inBrackets = false;
        if (!inBrackets) shape += c;
        if (c == '[') inBrackets = true;
    }
    return shape;
}

// The line at which each importer stops: the first it refuses.
std::map<std::string, std::size_t> FirstRefusals(const BlueprintReading& reading) {
    std::map<std::string, std::size_t> first;
    for (const Problem& problem : reading.problems) {
        if (problem.importer != nullptr) first.try_emplace(problem.importer, problem.lineNumber);
    }
    return first;
}

std::string VersionWarning(const BlueprintReading& reading) {
    return "version " + reading.version.sVersion + " is newer than the version " +
           std::string(Corvanis::kBlueprintVersionText) + " this Corvanis reads: " + kLayoutImporter +
           " refuses the file; " + kInteriorImporter + " does not read the version and would place its "
           "decoration items";
}

class TextReport {
public:
    TextReport(const std::string& file, std::ostream& out) : file_(file), out_(out) {}

    void Write(const BlueprintReading& reading, const DataFileResolver& forms) {
        const std::vector<Problem>& problems = reading.problems;
        for (std::size_t first = 0, end = 0; first < problems.size(); first = end) {
            end = first + 1;
            while (end < problems.size() && problems[end].lineNumber == problems[first].lineNumber) ++end;
            WriteLineProblems(problems.data() + first, problems.data() + end);
        }
        const std::size_t warnings = WriteWarnings(reading);
        WriteSummary(reading, forms, warnings);
    }

private:
    // The problems of one line, or of the file as a whole.
    void WriteLineProblems(const Problem* begin, const Problem* end) {
        if (begin->lineNumber == 0) {
            for (const Problem* problem = begin; problem != end; ++problem) {
                out_ << file_ << ": " << problem->importer << ": " << Report(*problem) << "\n";
            }
            return;
        }
        out_ << file_ << ":" << begin->lineNumber << ": " << begin->line << "\n";
        bool refused = false;
        for (const Problem* problem = begin; problem != end; ++problem) {
            if (problem->importer == nullptr) continue;
            refused = true;
            out_ << "    " << problem->importer << ": " << Report(*problem) << "\n";
            if (!problem->reason.empty()) out_ << "        (" << problem->reason << ")\n";
            if (problem->followingLines != 0) {
                out_ << "        (so " << (problem->followingLines == 1 ? "is " : "are ")
                     << Counted(problem->followingLines, "later line", "later lines") << " of this list, to line "
                     << problem->lastFollowingLine << ": the elements they name were never made)\n";
            }
        }
        for (const MissingForm& form : begin->missingForms) out_ << "    " << MissingText(form) << "\n";
        if (!refused) out_ << "    the importers go on without this line's value\n";
    }

    static std::string Report(const Problem& problem) {
        return Corvanis::ErrorPhaseLine(problem.error.sPhase, problem.error.sExtraErrorText);
    }

    // Every warning, in line order.
    std::size_t WriteWarnings(const BlueprintReading& reading) {
        std::vector<std::pair<std::size_t, std::string>> warnings;
        if (reading.newerVersion) warnings.emplace_back(reading.newerVersionLine, VersionWarning(reading));
        for (const Corvanis::ReadingNote& note : reading.notes) {
            warnings.emplace_back(note.lineNumber, "the game reads this otherwise: " + note.text);
        }
        std::map<std::string, std::vector<const UnreadLine*>> byShape;
        std::vector<std::string> shapes;
        for (const UnreadLine& unread : reading.unread) {
            auto [entry, added] = byShape.try_emplace(KeyShape(unread.line));
            if (added) shapes.push_back(entry->first);
            entry->second.push_back(&unread);
        }
        for (const std::string& shape : shapes) warnings.emplace_back(UnreadWarning(byShape[shape]));
        std::stable_sort(warnings.begin(), warnings.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [lineNumber, text] : warnings) out_ << file_ << ":" << lineNumber << ": warning: " << text << "\n";
        return warnings.size();
    }

    // Lines of one kind that no importer reads: the first, and the numbers of
    // the others.
    static std::pair<std::size_t, std::string> UnreadWarning(const std::vector<const UnreadLine*>& lines) {
        std::string text = "no importer reads this line: " + lines.front()->line;
        if (lines.size() > 1) {
            text += " (and " + Counted(lines.size() - 1, "more line", "more lines") + " like it:";
            for (std::size_t i = 1; i < lines.size() && i <= kLineNumbersShown; ++i) {
                text += " " + std::to_string(lines[i]->lineNumber);
            }
            if (lines.size() - 1 > kLineNumbersShown) text += " ...";
            text += ")";
        }
        return {lines.front()->lineNumber, text};
    }

    void WriteSummary(const BlueprintReading& reading, const DataFileResolver& forms, std::size_t warnings) {
        out_ << file_ << ": ";
        if (reading.problems.empty()) {
            out_ << "no problems: " << kLayoutImporter << " and " << kInteriorImporter << " read it whole";
        } else {
            out_ << Counted(reading.problems.size(), "problem", "problems");
            const std::map<std::string, std::size_t> first = FirstRefusals(reading);
            for (const char* importer : {kLayoutImporter, kInteriorImporter}) {
                const auto stop = first.find(importer);
                if (stop == first.end()) continue;
                out_ << "; " << importer << " refuses it "
                     << (stop->second == 0 ? std::string("as a whole") : "at line " + std::to_string(stop->second));
            }
        }
        if (warnings != 0) out_ << "; " << Counted(warnings, "warning", "warnings");
        out_ << "\n";
        std::string missing;
        for (const DataFileUse& file : forms.DataFiles()) {
            if (file.loaded) continue;
            missing += (missing.empty() ? "" : ", ") + file.name + " (" + Counted(file.forms, "form", "forms") + ")";
        }
        if (!missing.empty()) out_ << file_ << ": data files not in the list: " << missing << "\n";
    }

    const std::string& file_;
    std::ostream& out_;
};

json ProblemJson(const Problem& problem) {
    json missing = json::array();
    for (const MissingForm& form : problem.missingForms) {
        missing.push_back({{"form", DisplayText(form.referenceText)}, {"dataFile", DisplayText(form.fileName)}});
    }
    json entry = {
        {"line", problem.lineNumber == 0 ? json(nullptr) : json(problem.lineNumber)},
        {"text", problem.lineNumber == 0 ? json(nullptr) : json(DisplayText(problem.line))},
        {"importer", problem.importer == nullptr ? json(nullptr) : json(problem.importer)},
        {"phase", DisplayText(problem.error.sPhase)},
        {"extraErrorText", DisplayText(problem.error.sExtraErrorText)},
        {"report", DisplayText(Corvanis::ErrorPhaseLine(problem.error.sPhase, problem.error.sExtraErrorText))},
        {"reason", DisplayText(problem.reason)},
        {"missingForms", std::move(missing)},
        {"followingLines", problem.followingLines},
    };
    return entry;
}

json FileJson(const std::string& file, const BlueprintReading& reading, const DataFileResolver& forms) {
    json problems = json::array();
    for (const Problem& problem : reading.problems) problems.push_back(ProblemJson(problem));
    json warnings = json::array();
    if (reading.newerVersion) {
        warnings.push_back({{"line", reading.newerVersionLine}, {"kind", "newerVersion"},
                            {"version", reading.version.sVersion},
                            {"supportedVersion", Corvanis::kBlueprintVersionText},
                            {"message", VersionWarning(reading)}});
    }
    for (const Corvanis::ReadingNote& note : reading.notes) {
        warnings.push_back({{"line", note.lineNumber}, {"kind", "readOtherwise"}, {"message", DisplayText(note.text)}});
    }
    for (const UnreadLine& unread : reading.unread) {
        warnings.push_back({{"line", unread.lineNumber}, {"kind", "unread"}, {"text", DisplayText(unread.line)}});
    }
    json refusedAt = json::object();
    for (const auto& [importer, line] : FirstRefusals(reading)) refusedAt[importer] = line;
    json missingFiles = json::array();
    for (const DataFileUse& use : forms.DataFiles()) {
        if (!use.loaded) missingFiles.push_back({{"name", DisplayText(use.name)}, {"forms", use.forms}});
    }
    return {{"file", DisplayText(file)},          {"problems", std::move(problems)},
            {"warnings", std::move(warnings)},    {"refusedAt", std::move(refusedAt)},
            {"missingDataFiles", std::move(missingFiles)}};
}

}  // namespace

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<std::vector<std::string>> loaded;
    if (options.dataFileList) {
        std::string list;
        if (!ReadWholeFile(*options.dataFileList, list)) {
            err << "corvanis-blueprint: cannot read the data file list " << *options.dataFileList << "\n";
            return kExitError;
        }
        loaded = ParseDataFileList(list);
    }
    int exitCode = kExitClean;
    json report = {{"files", json::array()}};
    for (const std::string& file : options.files) {
        DataFileResolver forms = loaded ? DataFileResolver(*loaded) : DataFileResolver();
        BlueprintReading reading;
        if (!ReadBlueprintFile(file, forms, reading)) {
            err << "corvanis-blueprint: cannot read " << file << "\n";
            report["files"].push_back({{"file", DisplayText(file)}, {"error", "cannot read the file"}});
            exitCode = kExitError;
            continue;
        }
        if (!reading.problems.empty() && exitCode == kExitClean) exitCode = kExitFound;
        if (options.json) {
            report["files"].push_back(FileJson(file, reading, forms));
        } else {
            TextReport(file, out).Write(reading, forms);
        }
    }
    if (options.json) out << report.dump(2) << "\n";
    return exitCode;
}

}  // namespace blueprint_tool
