// How long the imports take. A generated blueprint of 1,000,000 lines
// (modules and decoration items, as a large ship's blueprint holds them) is
// read by the layout reader, every line parsed and every form resolved,
// beside a raw scan of the same file (read whole, memchr for the line ends):
// the reader should stay within 3 times of the scan, and corvanis-blueprint's
// check of the file, which runs both importers' readers over every line,
// aims at the same. The full import of the
// export benchmark's large ship, its backup included, should stay well within
// one 16 ms frame. Likewise the interior: the large ship's blueprint read by
// the interior reader (its 5,000 decoration items) beside a raw scan of the
// same file, and the whole interior import of it, backup, the search of 50
// loaded cells for the workshop, the 5,000 new items and the removal of the
// 5,000 they replace included, within one frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/WriteShipBlueprint.h"
#include "host/host.h"
#include "import/CandidateCells.h"
#include "import/GameFormResolver.h"
#include "import/ImportLayout.h"
#include "import/ImportShipInterior.h"
#include "import/reading/BlueprintFile.h"
#include "import/reading/InteriorReader.h"
#include "import/reading/LayoutReader.h"
#include "platform/platform.h"
#include "sim/Game.h"
#include "support/LargeShipWorld.h"
#include "support/ScratchFolder.h"
#include "tools/blueprint/Commands.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGeneratedLines = 1000000;

struct Ship {
    host::Form* reference;
    host::Form* interiorCell;
};

// Removed when the run ends: a million-line blueprint is 40 MB.
const dev_support::ScratchFolder& BenchFolder() {
    static const dev_support::ScratchFolder folder("import-bench");
    return folder;
}

// The large ship, the game holding 50 more cells loaded, the player aboard.
Ship LoadLargeShip() {
    dev_support::LargeShipShape shape;
    shape.loadedCells = 50;
    std::string error;
    if (!sim::LoadWorldFromText(dev_support::LargeShipWorld(shape), "large ship", error)) {
        throw std::runtime_error(error);
    }
    const veltrane::GameInterface& game = host::Game();
    host::Form* player = game.GetPlayerCharacter();
    return Ship{game.GetShipPlayerIsIn(player, true, nullptr, nullptr), game.RefGetParentCell(player)};
}

const Ship& LargeShip() {
    static const Ship ship = LoadLargeShip();
    return ship;
}

// The large ship as the exporter writes it.
const std::string& LargeShipBlueprint() {
    static const std::string name = [] {
        Corvanis::ExportErrorInfo error;
        if (!Corvanis::WriteShipBlueprint(LargeShip().reference, LargeShip().interiorCell, BenchFolder().PluginPath(),
                                          "Hauler.txt", Corvanis::kDefaultSettings, error)) {
            throw std::runtime_error("the large ship cannot be exported: " + error.sExtraErrorText);
        }
        return std::string("Hauler.txt");
    }();
    return name;
}

// The large ship's blueprint grown to kGeneratedLines lines: its lines of one
// module and of one decoration item, renumbered and repeated, modules and
// items in the share of lines they have in the large ship's blueprint.
const std::string& GeneratedBlueprint() {
    static const std::string name = [] {
        const std::string hauler = BenchFolder().ReadFile(LargeShipBlueprint());
        std::string module;
        std::string item;
        double moduleLines = 0;
        double itemLines = 0;
        std::size_t start = 0;
        while (start < hauler.size()) {
            const std::size_t end = hauler.find('\n', start) + 1;
            const std::string_view line(hauler.data() + start, end - start);
            if (line.starts_with("Blueprint.data[")) ++moduleLines;
            if (line.starts_with("DecorItem[")) ++itemLines;
            if (line.starts_with("Blueprint.data[7].")) module += std::string(line.substr(16));
            if (line.starts_with("DecorItem[7].")) item += std::string(line.substr(11));
            start = end;
        }
        const int moduleShare = static_cast<int>(kGeneratedLines * moduleLines / (moduleLines + itemLines));
        const auto lines = [](const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); };
        std::string bytes = "Ship: Generated [FormID: ] [EditorID: ] \r\nExport time: 2026-01-01 00:00:00.00000\r\n"
                            "Version: 2.00\r\n\r\n";
        int written = 4;
        const auto add = [&](const char* key, int index, const std::string& fields) {
            const std::string prefix = key + std::to_string(index);
            std::size_t at = 0;
            while (at < fields.size()) {
                const std::size_t end = fields.find('\n', at) + 1;
                bytes += prefix;
                bytes.append(fields, at, end - at);
                at = end;
            }
            written += lines(fields);
        };
        for (int i = 0; written + lines(module) <= moduleShare; ++i) add("Blueprint.data[", i, module);
        for (int i = 0; written + lines(item) <= kGeneratedLines; ++i) add("DecorItem[", i, item);
        while (written < kGeneratedLines) {
            bytes += "DisplayName |Generated\r\n";
            ++written;
        }
        BenchFolder().WriteFile("Generated.txt", bytes);
        return std::string("Generated.txt");
    }();
    return name;
}

void ScanLines(benchmark::State& state, const std::string& name) {
    std::size_t lines = 0;
    for (auto _ : state) {
        Corvanis::BlueprintFile file(platform::SystemFiles());
        std::string error;
        if (!file.Open(BenchFolder().PluginPath(), name, error)) state.SkipWithError(error.c_str());
        const std::string_view bytes = file.Bytes();
        lines = 0;
        for (const char* at = bytes.data(); const void* end = std::memchr(at, '\n', bytes.data() + bytes.size() - at);
             at = static_cast<const char*>(end) + 1) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void RawLineScan(benchmark::State& state) { ScanLines(state, GeneratedBlueprint()); }

void ReadingPhase(benchmark::State& state) {
    const std::string& name = GeneratedBlueprint();
    LargeShip();
    for (auto _ : state) {
        Corvanis::BlueprintFile file(platform::SystemFiles());
        std::string error;
        if (!file.Open(BenchFolder().PluginPath(), name, error)) state.SkipWithError(error.c_str());
        Corvanis::GameFormResolver forms;
        Corvanis::LayoutAccumulator layout;
        Corvanis::ReturnStorageBlueprintVersionInfo version;
        Corvanis::LayoutReader reader(forms, layout, version);
        Corvanis::ImportErrorInfo refusal;
        for (const Corvanis::BlueprintLine& line : file.Lines()) {
            if (reader.ReadLine(line, refusal) == Corvanis::LineVerdict::Refused) {
                state.SkipWithError(refusal.sPhase.c_str());
                break;
            }
        }
        benchmark::DoNotOptimize(layout.parts.data());
    }
}

// corvanis-blueprint's check of the same file: both importers' readers over
// every line, forms found without the game, and the report.
void ToolCheck(benchmark::State& state) {
    const std::string path = BenchFolder().Native(GeneratedBlueprint()).string();
    for (auto _ : state) {
        std::ostringstream report;
        std::ostringstream complaints;
        if (blueprint_tool::RunCheck({{path}, {}, false}, report, complaints) != blueprint_tool::kExitClean) {
            state.SkipWithError(("the check found problems: " + report.str().substr(0, 400)).c_str());
        }
        benchmark::DoNotOptimize(report.str().data());
    }
}

void ImportLargeShip(benchmark::State& state) {
    const std::string& name = LargeShipBlueprint();
    for (auto _ : state) {
        Corvanis::ImportErrorInfo error;
        Corvanis::ReturnStorageBlueprintVersionInfo version;
        Corvanis::ImportReport report;
        if (!Corvanis::ImportShipLayoutToBaseOfRef(LargeShip().reference, BenchFolder().PluginPath(), name,
                                                   Corvanis::kDefaultSettings, error, version, report) ||
            report.backup.result != Corvanis::BackupResult::Written) {
            state.SkipWithError(("the import failed: " + error.sPhase + " " + error.sExtraErrorText).c_str());
            break;
        }
        state.PauseTiming();
        fs::remove_all(BenchFolder().Native("Backups"));
        state.ResumeTiming();
    }
}

void RawLineScanOfLargeShip(benchmark::State& state) { ScanLines(state, LargeShipBlueprint()); }

void InteriorReadingPhase(benchmark::State& state) {
    const std::string& name = LargeShipBlueprint();
    std::size_t read = 0;
    for (auto _ : state) {
        Corvanis::BlueprintFile file(platform::SystemFiles());
        std::string error;
        if (!file.Open(BenchFolder().PluginPath(), name, error)) state.SkipWithError(error.c_str());
        Corvanis::GameFormResolver forms;
        std::vector<Corvanis::DecorItemRecord> items;
        Corvanis::InteriorReader reader(forms, items);
        Corvanis::ImportErrorInfo refusal;
        for (const Corvanis::BlueprintLine& line : file.Lines()) {
            if (reader.ReadLine(line, refusal) == Corvanis::LineVerdict::Refused) {
                state.SkipWithError(refusal.sPhase.c_str());
                break;
            }
        }
        read = items.size();
    }
    state.counters["items"] = static_cast<double>(read);
}

// The workshop search's part: the cells around the player, 50 of them from
// the cell manager's table.
void GatherLoadedCells(benchmark::State& state) {
    LargeShip();
    std::size_t cells = 0;
    for (auto _ : state) cells = Corvanis::GatherCandidateCells().size();
    state.counters["cells"] = static_cast<double>(cells);
}

// Each run on the large ship as the world file has it, which the run before
// changed; the layout benchmarks, which use the ship as it was loaded, run
// first.
void ImportLargeInterior(benchmark::State& state) {
    const std::string& name = LargeShipBlueprint();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(BenchFolder().Native("Backups"));
        const Ship ship = LoadLargeShip();
        state.ResumeTiming();
        Corvanis::ImportErrorInfo error;
        Corvanis::ImportReport report;
        if (!Corvanis::ImportShipInteriorHelper(ship.reference, ship.interiorCell, BenchFolder().PluginPath(), name,
                                                Corvanis::kDefaultSettings, error, report) ||
            report.backup.result != Corvanis::BackupResult::Written) {
            state.SkipWithError(("the import failed: " + error.sPhase + " " + error.sExtraErrorText).c_str());
            break;
        }
    }
}

}  // namespace

BENCHMARK(RawLineScan)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadingPhase)->Unit(benchmark::kMillisecond);
BENCHMARK(ToolCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargeShip)->Unit(benchmark::kMillisecond);
BENCHMARK(RawLineScanOfLargeShip)->Unit(benchmark::kMillisecond);
BENCHMARK(InteriorReadingPhase)->Unit(benchmark::kMillisecond);
BENCHMARK(GatherLoadedCells)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargeInterior)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
