#include "tools/blueprint/BlueprintFix.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "format/OptionalLists.h"
#include "import/reading/BlueprintLines.h"
#include "import/reading/InteriorReader.h"
#include "import/reading/LayoutReader.h"
#include "import/reading/LineReaders.h"
#include "tools/blueprint/DataFileList.h"

namespace blueprint_tool {

namespace {

using Corvanis::BlueprintLine;
using Corvanis::OptionalList;

// Tells which lines the readers look a form up on, and finds every form, so
// that the readers go on as they do with every form loaded.
class ReferenceFinder final : public Corvanis::FormResolver {
public:
    veltrane::Form* LookupForm(std::string_view, std::uint32_t) override {
        lookedUp_ = true;
        return reinterpret_cast<veltrane::Form*>(&handle_);
    }
    std::optional<std::uint8_t> FormType(const veltrane::Form*) override { return std::nullopt; }
    veltrane::Form* BoundObject(veltrane::Form* form) override { return form; }

    // Whether the line just read looked a form up.
    bool TakeLookup() { return std::exchange(lookedUp_, false); }

private:
    int handle_ = 0;
    bool lookedUp_ = false;
};

struct FileLine {
    BlueprintLine line;
    std::size_t start = 0;  // in the file's bytes
    std::size_t end = 0;    // the next line's start: the line end is the line's
    bool holdsReference = false;
};

std::vector<FileLine> ReadLines(std::string_view bytes) {
    ReferenceFinder forms;
    Corvanis::LayoutAccumulator layout;
    Corvanis::ReturnStorageBlueprintVersionInfo version;
    std::vector<Corvanis::DecorItemRecord> items;
    Corvanis::LayoutReader layoutReader(forms, layout, version);
    Corvanis::InteriorReader interiorReader(forms, items);
    Corvanis::ImportErrorInfo error;
    std::vector<FileLine> lines;
    for (const BlueprintLine& line : Corvanis::BlueprintLines(bytes)) {
        layoutReader.ReadLine(line, error);
        interiorReader.ReadLine(line, error);
        const auto start = static_cast<std::size_t>(line.Text().data() - bytes.data());
        if (!lines.empty()) lines.back().end = start;
        lines.push_back({line, start, bytes.size(), forms.TakeLookup()});
    }
    return lines;
}

// A replacement of bytes inside one line, at an offset from the line's start.
struct Edit {
    std::size_t at;
    std::size_t size;
    std::string text;
};

// The optional list a line is of; null for a line of the ship itself.
const OptionalList* ListOf(const BlueprintLine& line) {
    for (const OptionalList& list : Corvanis::kOptionalLists) {
        if (line.KeyPart().find(list.key) != std::string_view::npos) return &list;
    }
    return nullptr;
}

std::size_t ListNumber(const OptionalList* list) {
    return static_cast<std::size_t>(list - std::begin(Corvanis::kOptionalLists));
}

// The element of its list a line is of: its index, or the line itself where
// each line is an element.
std::int64_t ElementOf(const OptionalList& list, const BlueprintLine& line) {
    return list.makingField.empty() ? static_cast<std::int64_t>(line.Number()) : Corvanis::GetLineIndex(line);
}

// Where the index the readers take stands in the line: between the key
// part's first '[' and its first ']'.
Edit IndexEdit(const BlueprintLine& line, std::int64_t index) {
    const std::string_view key = line.KeyPart();
    const std::size_t open = key.find('[');
    const std::size_t close = key.find(']', open);
    return {open + 1, close - open - 1, std::to_string(index)};
}

class Fixer {
public:
    Fixer(std::string_view bytes, const FixRequest& request) : bytes_(bytes), request_(request), lines_(ReadLines(bytes)) {
        for (std::size_t i = 0; i < request.renames.size(); ++i) {
            renameOf_.try_emplace(FoldedDataFileName(request.renames[i].from), i);
            result_.renamed.push_back({request.renames[i].from, request.renames[i].to, 0});
        }
        if (request.loadedFiles) {
            loaded_.insert(FoldedDataFileName(kGameDataFile));
            for (const std::string& name : *request.loadedFiles) loaded_.insert(FoldedDataFileName(name));
        }
    }

    FixResult Run() && {
        edits_.resize(lines_.size());
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].holdsReference) Reference(i);
        }
        if (!result_.indispensable.empty()) return std::move(result_);
        CountLeftOut();
        for (const OptionalList& list : Corvanis::kOptionalLists) {
            if (listsLosing_.count(ListNumber(&list)) != 0) Renumber(list);
        }
        result_.bytes = Assemble();
        return std::move(result_);
    }

private:
    void Reference(std::size_t i) {
        const BlueprintLine& line = lines_[i].line;
        const std::string_view file = Corvanis::GetFormFileName(line);
        std::string name(file);
        if (const auto rename = renameOf_.find(FoldedDataFileName(file)); rename != renameOf_.end()) {
            RenamedReferences& renamed = result_.renamed[rename->second];
            name = renamed.to;
            ++renamed.references;
            edits_[i].push_back({static_cast<std::size_t>(file.data() - line.Text().data()), file.size(), name});
        }
        if (!request_.loadedFiles || loaded_.count(FoldedDataFileName(name)) != 0) return;
        const OptionalList* list = ListOf(line);
        if (list == nullptr) {
            result_.indispensable.push_back({line.Number(), std::string(line.Text()), std::move(name)});
            return;
        }
        const std::pair element{ListNumber(list), ElementOf(*list, line)};
        if (droppedFile_.try_emplace(element, name).second) dropOrder_.push_back(element);
        listsLosing_.insert(element.first);
    }

    void CountLeftOut() {
        for (const OptionalList& list : Corvanis::kOptionalLists) {
            const std::size_t number = ListNumber(&list);
            const std::size_t first = result_.leftOut.size();
            for (const auto& element : dropOrder_) {
                if (element.first != number) continue;
                const std::string& file = droppedFile_.at(element);
                const auto same = std::find_if(result_.leftOut.begin() + static_cast<std::ptrdiff_t>(first),
                                               result_.leftOut.end(),
                                               [&](const LeftOutElements& left) { return SameDataFileName(left.dataFile, file); });
                if (same != result_.leftOut.end()) {
                    ++same->elements;
                } else {
                    result_.leftOut.push_back({list.name, file, 1});
                }
            }
        }
    }

    bool Dropped(std::size_t i) const {
        const OptionalList* list = ListOf(lines_[i].line);
        return list != nullptr && droppedFile_.count({ListNumber(list), ElementOf(*list, lines_[i].line)}) != 0;
    }

    // Numbers the elements left 0, 1, 2 ... in the order of the lines that
    // make them, as the readers number them.
    void Renumber(const OptionalList& list) {
        std::map<std::int64_t, std::int64_t> newIndex;
        std::int64_t next = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const BlueprintLine& line = lines_[i].line;
            if (ListOf(line) != &list || Dropped(i)) continue;
            const std::int64_t element = ElementOf(list, line);
            if (list.makingField.empty() || Corvanis::HasKey(line, list.makingField)) {
                newIndex.try_emplace(element, next);
                if (newIndex.at(element) == next) ++next;
            }
            const auto renumbered = newIndex.find(element);
            // A line of an element that no line makes is refused as it was.
            if (renumbered == newIndex.end() || renumbered->second == Corvanis::GetLineIndex(line)) continue;
            edits_[i].push_back(IndexEdit(line, renumbered->second));
        }
    }

    std::string Assemble() {
        std::string out;
        out.reserve(bytes_.size());
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (Dropped(i)) continue;
            const std::string_view raw = bytes_.substr(lines_[i].start, lines_[i].end - lines_[i].start);
            std::vector<Edit>& edits = edits_[i];
            std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
            std::size_t at = 0;
            for (const Edit& edit : edits) {
                out.append(raw.substr(at, edit.at - at));
                out.append(edit.text);
                at = edit.at + edit.size;
            }
            out.append(raw.substr(at));
        }
        return out;
    }

    std::string_view bytes_;
    const FixRequest& request_;
    std::vector<FileLine> lines_;
    std::vector<std::vector<Edit>> edits_;
    std::unordered_map<std::string, std::size_t> renameOf_;  // folded name -> rename
    std::unordered_set<std::string> loaded_;                  // folded names
    // The elements left out, each with the data file it is left out for.
    std::map<std::pair<std::size_t, std::int64_t>, std::string> droppedFile_;
    std::vector<std::pair<std::size_t, std::int64_t>> dropOrder_;
    std::set<std::size_t> listsLosing_;
    FixResult result_;
};

}  // namespace

bool FixResult::Changed() const {
    return !leftOut.empty() ||
           std::any_of(renamed.begin(), renamed.end(), [](const RenamedReferences& r) { return r.references != 0; });
}

FixResult FixBlueprint(std::string_view bytes, const FixRequest& request) { return Fixer(bytes, request).Run(); }

std::optional<DataFileRename> ParseDataFileRename(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view from = text.substr(0, equals);
    const std::string_view to = text.substr(equals + 1);
    if (from.empty() || to.empty() || to.find_first_of("|\r\n") != std::string_view::npos) return std::nullopt;
    return DataFileRename{std::string(from), std::string(to)};
}

}  // namespace blueprint_tool
