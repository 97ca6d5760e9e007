#include <nlohmann/json.hpp>

#include <algorithm>
#include <iomanip>

#include "format/BlueprintFileName.h"
#include "platform/platform.h"
#include "tools/blueprint/BlueprintReading.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/DataFileList.h"
#include "tools/blueprint/DisplayText.h"
#include "tools/blueprint/ShipDescription.h"

namespace blueprint_tool {

namespace {

using nlohmann::json;

// Where the game keeps blueprints, from its own folder.
constexpr const char* kGameSpaceships = "Data/ORBX/Plugins/Spaceships";
constexpr const char* kBackups = "Backups";

// One file of the folder, as the importers would read it.
struct Row {
    std::string file;  // as listed: "Kestrel.txt", "Backups/Kestrel layout 1.txt"
    bool readable = false;
    BlueprintReading reading;
    std::vector<DataFileUse> dataFiles;
};


// The blueprint files of the folder, named as `prefix` + their name; false
// when the folder cannot be read.
bool AddFolder(const std::string& folder, const std::string& prefix, const std::optional<std::vector<std::string>>& loaded,
               std::vector<Row>& rows) {
    platform::FileSystem& files = platform::SystemFiles();
    std::vector<std::string> names;
    if (!files.ListFolder(folder, names)) return false;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        if (!Corvanis::HasBlueprintExtension(name) || files.QueryPath(path) != platform::PathKind::RegularFile) continue;
        DataFileResolver forms = loaded ? DataFileResolver(*loaded) : DataFileResolver();
        Row row;
        row.file = prefix + name;
        row.readable = ReadBlueprintFile(path, forms, row.reading);
        row.dataFiles = forms.DataFiles();
        rows.push_back(std::move(row));
    }
    return true;
}

bool HasExportTime(const Row& row) { return row.readable && row.reading.header.hasExportTime; }

// Newest export first, then the files without a time; by name where equal.
void SortRows(std::vector<Row>& rows) {
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (HasExportTime(a) != HasExportTime(b)) return HasExportTime(a);
        if (HasExportTime(a) && a.reading.header.exportTime != b.reading.header.exportTime) {
            // The stamp's fixed width makes its text order its time order.
            return a.reading.header.exportTime > b.reading.header.exportTime;
        }
        return a.file < b.file;
    });
}

bool IsBlueprint(const Row& row) { return row.readable && row.reading.isBlueprint; }
bool ReadWhole(const Row& row) { return IsBlueprint(row) && row.reading.problems.empty(); }

std::vector<std::string> FileNames(const Row& row, bool missingOnly) {
    std::vector<std::string> names;
    for (const DataFileUse& use : row.dataFiles) {
        if (!missingOnly || !use.loaded) names.push_back(DisplayText(use.name));
    }
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

// What the imports would make of the file, with a list of data files.
std::string ImportsText(const Row& row) {
    if (ReadWhole(row)) return "read whole";
    const std::vector<std::string> missing = FileNames(row, true);
    if (!missing.empty()) return "misses " + Joined(missing);
    return "refused (check says why)";
}

void WriteTable(const std::vector<Row>& rows, bool withImports, std::ostream& out) {
    std::vector<std::vector<std::string>> cells;
    cells.push_back({"FILE", "SHIP", "EXPORTED", "MODULES", "ITEMS"});
    if (withImports) cells.back().push_back("IMPORTS");
    cells.back().push_back("DATA FILES");
    for (const Row& row : rows) {
        std::vector<std::string> line{DisplayText(row.file)};
        if (!IsBlueprint(row)) {
            line.push_back(row.readable ? "(no blueprint)" : "(cannot be read)");
        } else {
            const BlueprintReading& reading = row.reading;
            line.push_back(DisplayText(ShipName(reading)));
            line.push_back(reading.header.hasExportTime ? DisplayText(reading.header.exportTime) : "-");
            line.push_back(std::to_string(reading.layout.parts.size()));
            line.push_back(std::to_string(reading.decorItems.size()));
            if (withImports) line.push_back(ImportsText(row));
            line.push_back(Joined(FileNames(row, false)));
        }
        cells.push_back(std::move(line));
    }
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& line : cells) {
        for (std::size_t c = 0; c + 1 < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
    }
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c + 1 == line.size()) {
                out << line[c];
            } else {
                out << std::left << std::setw(static_cast<int>(widths[c] + 2)) << line[c];
            }
        }
        out << "\n";
    }
}

json RowJson(const Row& row, bool withImports) {
    json entry = {{"file", DisplayText(row.file)}, {"blueprint", IsBlueprint(row)}};
    if (!row.readable) entry["error"] = "cannot read the file";
    if (!IsBlueprint(row)) return entry;
    const BlueprintReading& reading = row.reading;
    entry["ship"] = DisplayText(ShipName(reading));
    entry["exportTime"] = reading.header.hasExportTime ? json(DisplayText(reading.header.exportTime)) : json(nullptr);
    entry["modules"] = reading.layout.parts.size();
    entry["decorationItems"] = reading.decorItems.size();
    entry["dataFiles"] = FileNames(row, false);
    if (withImports) {
        entry["readWhole"] = ReadWhole(row);
        entry["missingDataFiles"] = FileNames(row, true);
    }
    return entry;
}

std::string DefaultFolder() {
    return platform::SystemFiles().QueryPath(kGameSpaceships) == platform::PathKind::Directory ? kGameSpaceships : ".";
}

}  // namespace

int RunList(const ListOptions& options, std::ostream& out, std::ostream& err) {
    std::optional<std::vector<std::string>> loaded;
    if (options.dataFileList) {
        std::vector<std::string> names;
        if (!ReadDataFileList(*options.dataFileList, names, err)) return kExitError;
        loaded = std::move(names);
    }
    const std::string folder = options.folder.value_or(DefaultFolder());
    std::vector<Row> rows;
    if (!AddFolder(folder, "", loaded, rows)) {
        err << "corvanis-blueprint: cannot list the folder " << folder << "\n";
        return kExitError;
    }
    const std::string backups = folder + "/" + kBackups;
    if (options.backups && platform::SystemFiles().QueryPath(backups) == platform::PathKind::Directory &&
        !AddFolder(backups, std::string(kBackups) + "/", loaded, rows)) {
        err << "corvanis-blueprint: cannot list the folder " << backups << "\n";
        return kExitError;
    }
    SortRows(rows);
    const bool withImports = loaded.has_value();
    if (options.json) {
        json list = json::array();
        for (const Row& row : rows) list.push_back(RowJson(row, withImports));
        out << json{{"folder", DisplayText(folder)}, {"files", std::move(list)}}.dump(2) << "\n";
    } else if (rows.empty()) {
        out << "No blueprints in " << folder << ".\n";
    } else {
        WriteTable(rows, withImports, out);
    }
    const bool allWhole = std::all_of(rows.begin(), rows.end(), ReadWhole);
    return withImports && !allWhole ? kExitFound : kExitClean;
}

}  // namespace blueprint_tool
