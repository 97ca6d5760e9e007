#include "tools/blueprint/BlueprintReading.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "format/UnreadKeys.h"
#include "host/layouts/ShipComponents.h"
#include "import/reading/BlueprintFile.h"
#include "import/reading/BlueprintLines.h"
#include "import/reading/LineReaders.h"
#include "import/reading/RefusalReasons.h"
#include "import/reading/WholeBlueprint.h"
#include "platform/platform.h"
#include "tools/blueprint/ToolFiles.h"

namespace blueprint_tool {

namespace {

using Corvanis::BlueprintLine;
using Corvanis::ImportErrorInfo;
using Corvanis::LineVerdict;

// Warning about the lines the export writes knowing that they do not come
// back would warn about every blueprint.
bool IsWrittenButNotTakenBack(const BlueprintLine& line) {
    for (const std::string_view key : Corvanis::kKeysWrittenButNotRead) {
        if (Corvanis::HasKey(line, key)) return true;
    }
    return false;
}

// The phases in which the importers open the file.
constexpr const char* kLayoutPreparation = "preparing to import layout";
constexpr const char* kInteriorPreparation = "preparing to import ship interior";

ImportErrorInfo PreparationRefusal(std::string text, const char* phase) {
    ImportErrorInfo error;
    error.sExtraErrorText = std::move(text);
    error.sPhase = phase;
    return error;
}

ImportErrorInfo WholeFileRefusal(std::string text) {
    return PreparationRefusal(std::move(text), Corvanis::kWholeBlueprintPhase);
}

// The component a line of the layout belongs to: the start of its key, up to
// the first '.' or '[' ("QRNKeywordForm[0] |..." is of "QRNKeywordForm").
std::string_view ComponentOf(const BlueprintLine& line) {
    std::string_view key = line.KeyPart();
    // A loop of our own: find_first_of calls into the C library for every
    // byte.
    std::size_t end = 0;
    while (end < key.size() && key[end] != '.' && key[end] != '[') ++end;
    key = key.substr(0, end);
    while (key.ends_with(' ')) key.remove_suffix(1);
    return key;
}

class Pass {
public:
    Pass(DataFileResolver& forms, BlueprintReading& reading)
        : forms_(forms),
          reading_(reading),
          layout_(forms, reading.layout, reading.version, &notes_),
          interior_(forms, reading.decorItems, &notes_) {}

    void Read(const BlueprintLine& line) {
        const LineVerdict layout = layout_.ReadLine(line, error_);
        if (layout == LineVerdict::Refused) Refused(line, kLayoutImporter, layout_.RefusalReason());
        const LineVerdict interior = interior_.ReadLine(line, error_);
        if (interior == LineVerdict::Refused) Refused(line, kInteriorImporter, interior_.RefusalReason());
        showsBlueprint_ = showsBlueprint_ || ShowsBlueprint(line, layout) || ShowsBlueprint(line, interior);
        std::vector<MissingForm> missing = forms_.EndLine(line);
        const bool namesMissingForm = !missing.empty();
        if (namesMissingForm) Missing(line, std::move(missing));

        if (layout != LineVerdict::NotRead) {
            LayoutLine(line);
        } else if (interior == LineVerdict::NotRead && !line.Text().empty()) {
            NotReadLine(line, namesMissingForm);
        }
    }

    // What the importers refuse once every line is read: a list element that
    // lacks a line, a file that is no blueprint, a layout without a module.
    void Finish(std::string_view bytes) {
        reading_.isBlueprint = showsBlueprint_;
        interior_.Finish();
        reading_.notes = notes_.Notes();
        std::stable_sort(reading_.notes.begin(), reading_.notes.end(),
                         [](const Corvanis::ReadingNote& a, const Corvanis::ReadingNote& b) {
                             return a.lineNumber < b.lineNumber;
                         });
        std::vector<Problem> found;
        for (const Corvanis::IncompleteElement& element : layout_.Finish()) {
            ImportErrorInfo error;
            Corvanis::RefuseIncompleteElement(element, error);
            std::string reason = std::move(error.sReason);
            found.push_back({element.firstLine.Number(), std::string(element.firstLine.Text()), kLayoutImporter,
                             std::move(error), std::move(reason), {}});
        }
        if (!showsBlueprint_) {
            // The refusal says that no line is read: a warning for each
            // (each of a UTF-16 file's, in its bytes) would only repeat it.
            reading_.unread.clear();
            for (const char* importer : {kLayoutImporter, kInteriorImporter}) {
                found.push_back({0, {}, importer, WholeFileRefusal(Corvanis::NoBlueprintText(bytes)), {}, {}});
            }
        } else if (reading_.layout.parts.empty() && reading_.layout.backup != Corvanis::BackupKind::Layout) {
            found.push_back(
                {0, {}, kLayoutImporter, WholeFileRefusal(Corvanis::kNoModuleText), {}, {}});
        }
        std::vector<Problem>& problems = reading_.problems;
        for (Problem& problem : found) {
            const auto after = std::upper_bound(
                problems.begin(), problems.end(), problem.lineNumber,
                [](std::size_t lineNumber, const Problem& other) { return lineNumber < other.lineNumber; });
            problems.insert(after, std::move(problem));
        }
    }

private:
    // The reader has just refused the line and set `error_`.
    void Refused(const BlueprintLine& line, const char* importer, const char* reason) {
        reading_.problems.push_back({line.Number(), std::string(line.Text()), importer, std::move(error_),
                                     Corvanis::ExplainedRefusal(reason, line), {}});
        error_ = {};
    }

    // The forms go with the line's refusals; a line that is not refused for
    // them still names a form the game will not find.
    void Missing(const BlueprintLine& line, std::vector<MissingForm> missing) {
        if (!reading_.problems.empty() && reading_.problems.back().lineNumber == line.Number()) {
            for (auto problem = reading_.problems.rbegin();
                 problem != reading_.problems.rend() && problem->lineNumber == line.Number(); ++problem) {
                problem->missingForms = missing;
            }
            return;
        }
        reading_.problems.push_back({line.Number(), std::string(line.Text()), nullptr, {}, {}, std::move(missing)});
    }

    void LayoutLine(const BlueprintLine& line) {
        if (Corvanis::BackupLineKind(line) != Corvanis::BackupKind::None) return;
        if (!Corvanis::IsVersionLine(line)) {
            Component(line);
        } else if (reading_.version.fVersion > Corvanis::kBlueprintVersion && !reading_.newerVersion) {
            reading_.newerVersion = true;
            reading_.newerVersionLine = line.Number();
        }
    }

    // A line that no reader reads: a header line, one the export writes
    // knowing it does not come back, or one no export writes (a misspelt key,
    // a line of another tool). A line that names a form of a missing data
    // file is a problem already.
    void NotReadLine(const BlueprintLine& line, bool namesMissingForm) {
        if (IsShipLine(line) || IsExportTimeLine(line)) {
            ReadHeaderLine(line, reading_.header);
        } else if (!namesMissingForm && !IsWrittenButNotTakenBack(line)) {
            reading_.unread.push_back({line.Number(), std::string(line.Text())});
        }
    }

    void Component(const BlueprintLine& line) {
        const std::string_view component = ComponentOf(line);
        if (component == lastComponent_ || component == "DisplayName") return;
        lastComponent_ = component;
        std::vector<std::string>& components = reading_.components;
        if (std::find(components.begin(), components.end(), component) == components.end()) {
            components.emplace_back(component);
        }
    }

    DataFileResolver& forms_;
    BlueprintReading& reading_;
    Corvanis::ReadingNotes notes_;
    Corvanis::LayoutReader layout_;
    Corvanis::InteriorReader interior_;
    ImportErrorInfo error_;
    std::string lastComponent_;
    bool showsBlueprint_ = false;
};

// A list whose elements are made in index order: once an element is not
// made, every later line of the list names an element that does not exist.
struct ElementList {
    const char* importer;
    std::string_view marker;
    std::size_t size;  // the elements made
};

bool FollowsFromEarlierRefusal(const Problem& problem, const ElementList& list) {
    if (problem.importer != list.importer || problem.lineNumber == 0) return false;
    const BlueprintLine line(problem.line);
    if (!line.KeyPart().starts_with(list.marker)) return false;
    const std::int32_t index = Corvanis::GetLineIndex(line);
    return index >= 0 && static_cast<std::size_t>(index) >= list.size;
}

// One problem for the cause, counting the refusals that follow from it,
// rather than one for every later line of the list.
void FoldFollowingRefusals(BlueprintReading& reading) {
    const ElementList lists[] = {{kInteriorImporter, "DecorItem[", reading.decorItems.size()},
                                 {kLayoutImporter, "Blueprint.data[", reading.layout.parts.size()}};
    std::vector<Problem> kept;
    std::size_t causes[std::size(lists)];
    std::fill(std::begin(causes), std::end(causes), std::size_t{0});
    for (Problem& problem : reading.problems) {
        std::size_t list = 0;
        while (list < std::size(lists) && !FollowsFromEarlierRefusal(problem, lists[list])) ++list;
        if (list < std::size(lists)) {
            if (causes[list] != 0) {
                Problem& cause = kept[causes[list] - 1];
                ++cause.followingLines;
                cause.lastFollowingLine = problem.lineNumber;
                continue;
            }
            causes[list] = kept.size() + 1;
        }
        kept.push_back(std::move(problem));
    }
    reading.problems = std::move(kept);
}

Point3 Position(const veltrane::BlueprintPartRecord& record) { return {record.fPosX, record.fPosY, record.fPosZ}; }

std::string ReferenceText(const veltrane::Form* form, const DataFileResolver& forms) {
    return form != nullptr ? forms.ReferenceText(form) : std::string();
}

}  // namespace

BlueprintReading ReadBlueprint(std::string_view bytes, DataFileResolver& forms) {
    BlueprintReading reading;
    Pass pass(forms, reading);
    for (const BlueprintLine& line : Corvanis::BlueprintLines(bytes)) pass.Read(line);
    pass.Finish(bytes);
    FoldFollowingRefusals(reading);
    return reading;
}

std::vector<ShipModule> Modules(const BlueprintReading& reading, const DataFileResolver& forms) {
    std::vector<ShipModule> modules;
    modules.reserve(reading.layout.parts.size());
    for (const Corvanis::PartEntry& part : reading.layout.parts) {
        modules.push_back({Position(part.record), ReferenceText(part.record.item, forms)});
    }
    return modules;
}

std::vector<DecorationItem> DecorationItems(const BlueprintReading& reading, const DataFileResolver& forms) {
    std::vector<DecorationItem> items;
    items.reserve(reading.decorItems.size());
    for (const Corvanis::DecorItemRecord& item : reading.decorItems) {
        items.push_back({{item.fPosX, item.fPosY, item.fPosZ}, ReferenceText(item.base, forms), item.bWorkshopItem});
    }
    return items;
}

bool ReadBlueprintFile(const std::string& path, DataFileResolver& forms, BlueprintReading& reading) {
    Corvanis::BlueprintFile file(platform::SystemFiles());
    std::string openError;
    if (file.Open({}, path, openError)) {
        reading = ReadBlueprint(file.Bytes(), forms);
        return true;
    }
    // The importers refuse a file they may not change, read-only for one; the
    // tool still shows what else they would say of it.
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    reading = ReadBlueprint(bytes, forms);
    const Problem refusals[] = {
        {0, {}, kLayoutImporter, PreparationRefusal(openError, kLayoutPreparation), {}, {}},
        {0, {}, kInteriorImporter, PreparationRefusal(openError, kInteriorPreparation), {}, {}},
    };
    reading.problems.insert(reading.problems.begin(), std::begin(refusals), std::end(refusals));
    return true;
}

}  // namespace blueprint_tool
