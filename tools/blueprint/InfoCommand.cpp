#include <nlohmann/json.hpp>

#include <iomanip>

#include "tools/blueprint/BlueprintReading.h"
#include "tools/blueprint/Commands.h"
#include "tools/blueprint/DisplayText.h"
#include "tools/blueprint/NumberText.h"
#include "tools/blueprint/ShipDescription.h"

namespace blueprint_tool {

namespace {

using nlohmann::json;

std::size_t WorkshopItems(const BlueprintReading& reading) {
    std::size_t count = 0;
    for (const Corvanis::DecorItemRecord& item : reading.decorItems) count += item.bWorkshopItem ? 1 : 0;
    return count;
}

std::string VersionText(const BlueprintReading& reading) {
    if (!reading.version.sVersion.empty()) return reading.version.sVersion;
    return "none (read as older than " + std::string(Corvanis::kBlueprintVersionText) + ")";
}

std::string RangeText(float min, float max) { return FixedText(min, 2) + " to " + FixedText(max, 2); }

void WriteText(const BlueprintReading& reading, const DataFileResolver& forms, std::ostream& out) {
    const std::vector<ShipModule> modules = Modules(reading, forms);
    const auto field = [&out](const char* name) -> std::ostream& {
        return out << std::left << std::setw(19) << name;
    };
    field("Ship:") << ShipName(reading) << "\n";
    if (!reading.header.formID.empty()) field("  form ID:") << reading.header.formID << "\n";
    if (!reading.header.editorID.empty()) field("  editor ID:") << reading.header.editorID << "\n";
    field("Export time:") << (reading.header.hasExportTime ? reading.header.exportTime : "none") << "\n";
    field("Version:") << VersionText(reading) << "\n";
    field("Modules:") << modules.size() << "\n";
    field("Components:") << reading.components.size();
    for (std::size_t i = 0; i < reading.components.size(); ++i) {
        out << (i == 0 ? " (" : ", ") << reading.components[i];
    }
    out << (reading.components.empty() ? "" : ")") << "\n";
    field("Decoration items:") << reading.decorItems.size();
    if (const std::size_t workshop = WorkshopItems(reading); workshop != 0) {
        out << " (" << workshop << " linked to the workshop)";
    }
    out << "\n";
    if (const std::optional<Extent> extent = ModuleExtent(modules)) {
        field("Extent:") << ExtentSizeText(*extent) << " (x, y, z; between module centres)\n";
        field("") << "x " << RangeText(extent->min.x, extent->max.x) << ", y "
                  << RangeText(extent->min.y, extent->max.y) << ", z " << RangeText(extent->min.z, extent->max.z)
                  << "\n";
    } else {
        field("Extent:") << "none (no modules)\n";
    }
    if (forms.DataFiles().empty()) field("Data files:") << "none\n";
    for (std::size_t i = 0; i < forms.DataFiles().size(); ++i) {
        const DataFileUse& file = forms.DataFiles()[i];
        field(i == 0 ? "Data files:" : "") << file.name << ": " << file.forms << (file.forms == 1 ? " form" : " forms")
                                           << "\n";
    }
    if (!reading.problems.empty()) {
        field("Problems:") << reading.problems.size() << " (corvanis-blueprint check lists them)\n";
    }
}

json PointJson(const Point3& p) { return {{"x", p.x}, {"y", p.y}, {"z", p.z}}; }

json InfoJson(const std::string& file, const BlueprintReading& reading, const DataFileResolver& forms) {
    const std::vector<ShipModule> modules = Modules(reading, forms);
    json dataFiles = json::array();
    for (const DataFileUse& use : forms.DataFiles()) {
        dataFiles.push_back({{"name", DisplayText(use.name)}, {"forms", use.forms}});
    }
    json components = json::array();
    for (const std::string& component : reading.components) components.push_back(DisplayText(component));
    json extent = nullptr;
    if (const std::optional<Extent> box = ModuleExtent(modules)) {
        extent = {{"min", PointJson(box->min)},
                  {"max", PointJson(box->max)},
                  {"size", {{"x", static_cast<double>(box->max.x) - box->min.x},
                            {"y", static_cast<double>(box->max.y) - box->min.y},
                            {"z", static_cast<double>(box->max.z) - box->min.z}}}};
    }
    return {
        {"file", DisplayText(file)},
        {"ship", {{"name", DisplayText(ShipName(reading))},
                  {"formID", DisplayText(reading.header.formID)},
                  {"editorID", DisplayText(reading.header.editorID)}}},
        {"exportTime", reading.header.hasExportTime ? json(DisplayText(reading.header.exportTime)) : json(nullptr)},
        {"version", reading.version.sVersion.empty() ? json(nullptr) : json(reading.version.sVersion)},
        {"modules", modules.size()},
        {"components", std::move(components)},
        {"decorationItems", reading.decorItems.size()},
        {"workshopItems", WorkshopItems(reading)},
        {"extent", std::move(extent)},
        {"dataFiles", std::move(dataFiles)},
        {"problems", reading.problems.size()},
    };
}

}  // namespace

int RunInfo(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
    DataFileResolver forms;
    BlueprintReading reading;
    if (!ReadBlueprintFile(file, forms, reading)) {
        err << "corvanis-blueprint: cannot read " << file << "\n";
        return kExitError;
    }
    if (json) {
        out << InfoJson(file, reading, forms).dump(2) << "\n";
    } else {
        WriteText(reading, forms, out);
    }
    return kExitClean;
}

}  // namespace blueprint_tool
