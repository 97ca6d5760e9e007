#include "tools/blueprint/BlueprintDiff.h"

#include <map>
#include <utility>

#include "import/reading/BlueprintLines.h"
#include "tools/blueprint/ShipHeader.h"

namespace blueprint_tool {

namespace {

struct KeyedLine {
    std::string_view key;
    bool hasValue;
    std::string_view value;
    std::size_t number;
};

KeyedLine HeaderKeyed(const Corvanis::BlueprintLine& line, std::string_view key) {
    std::string_view value = line.Text().substr(key.size());
    if (value.starts_with(' ')) value.remove_prefix(1);
    return {key, true, value, line.Number()};
}

// The lines that say what a blueprint holds, keyed.
std::vector<KeyedLine> KeyedLines(std::string_view bytes) {
    std::vector<KeyedLine> keyed;
    for (const Corvanis::BlueprintLine& line : Corvanis::BlueprintLines(bytes)) {
        if (line.Text().empty() || IsExportTimeLine(line)) continue;
        if (IsShipLine(line)) {
            keyed.push_back(HeaderKeyed(line, "Ship:"));
        } else if (Corvanis::IsVersionLine(line)) {
            keyed.push_back(HeaderKeyed(line, "Version:"));
        } else {
            keyed.push_back({line.KeyPart(), line.HasSeparator(), line.ValuePart(), line.Number()});
        }
    }
    return keyed;
}

// The n-th occurrence of a key in a blueprint: how the two sides are matched.
using Occurrence = std::pair<std::string_view, std::size_t>;

std::map<Occurrence, const KeyedLine*> ByOccurrence(const std::vector<KeyedLine>& lines) {
    std::map<Occurrence, const KeyedLine*> found;
    std::map<std::string_view, std::size_t> seen;
    for (const KeyedLine& line : lines) found.emplace(Occurrence{line.key, seen[line.key]++}, &line);
    return found;
}

std::vector<Occurrence> OccurrencesInOrder(const std::vector<KeyedLine>& lines) {
    std::vector<Occurrence> order;
    std::map<std::string_view, std::size_t> seen;
    for (const KeyedLine& line : lines) order.emplace_back(line.key, seen[line.key]++);
    return order;
}

bool SameValue(const KeyedLine& a, const KeyedLine& b) { return a.hasValue == b.hasValue && a.value == b.value; }

// Values longer than this (a module's 80 raw bytes are 160 characters) are
// shown by their start and their length, so that a change stays on one line.
// The header lines are shown whole: they name the ship.
constexpr std::size_t kLongestShownValue = 48;
constexpr std::size_t kShownStartOfLongValue = 32;

std::string Shown(std::string_view value) {
    if (value.size() <= kLongestShownValue) return std::string(value);
    return std::string(value.substr(0, kShownStartOfLongValue)) + "... (" + std::to_string(value.size()) +
           " characters)";
}

// A value as it stands after its key: after the line's own '|', or after the
// blank that follows a header key.
std::string ValueText(std::string_view key, bool hasValue, std::string_view value) {
    if (!hasValue) return {};
    return key.ends_with(':') ? " " + std::string(value) : "|" + Shown(value);
}

// A new value shown beside the old one: without the header key's blank.
std::string NewValueText(std::string_view key, bool hasValue, std::string_view value) {
    if (!hasValue) return "(no value)";
    return key.ends_with(':') ? std::string(value) : "|" + Shown(value);
}

}  // namespace

std::vector<KeyChange> DiffBlueprints(std::string_view before, std::string_view after) {
    const std::vector<KeyedLine> oldLines = KeyedLines(before);
    const std::vector<KeyedLine> newLines = KeyedLines(after);
    const auto oldByOccurrence = ByOccurrence(oldLines);
    const auto newByOccurrence = ByOccurrence(newLines);

    std::vector<KeyChange> changes;
    const std::vector<Occurrence> oldOrder = OccurrencesInOrder(oldLines);
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        const KeyedLine& old = oldLines[i];
        const auto match = newByOccurrence.find(oldOrder[i]);
        if (match == newByOccurrence.end()) {
            changes.push_back({KeyChange::Kind::Removed, std::string(old.key), old.hasValue, std::string(old.value),
                               old.number, false, {}, 0});
        } else if (!SameValue(old, *match->second)) {
            const KeyedLine& now = *match->second;
            changes.push_back({KeyChange::Kind::Changed, std::string(old.key), old.hasValue, std::string(old.value),
                               old.number, now.hasValue, std::string(now.value), now.number});
        }
    }
    const std::vector<Occurrence> newOrder = OccurrencesInOrder(newLines);
    for (std::size_t i = 0; i < newLines.size(); ++i) {
        const KeyedLine& now = newLines[i];
        if (oldByOccurrence.contains(newOrder[i])) continue;
        changes.push_back({KeyChange::Kind::Added, std::string(now.key), false, {}, 0, now.hasValue,
                           std::string(now.value), now.number});
    }
    return changes;
}

std::string ChangeText(const KeyChange& change) {
    switch (change.kind) {
    case KeyChange::Kind::Added:
        return "added    " + change.key + ValueText(change.key, change.hasNewValue, change.newValue);
    case KeyChange::Kind::Removed:
        return "removed  " + change.key + ValueText(change.key, change.hasOldValue, change.oldValue);
    case KeyChange::Kind::Changed:
        break;
    }
    return "changed  " + change.key + ValueText(change.key, change.hasOldValue, change.oldValue) + "  ->  " +
           NewValueText(change.key, change.hasNewValue, change.newValue);
}

}  // namespace blueprint_tool
