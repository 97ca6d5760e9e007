// How long an interior import takes: the large ship's blueprint (5,000
// decoration items) read by the interior reader beside a raw line scan of the
// same bytes, and the whole import of it, which should stay within one 16 ms
// frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "export/WriteShipBlueprint.h"
#include "host/host.h"
#include "import/CandidateCells.h"
#include "import/GameFormResolver.h"
#include "import/ImportShipInterior.h"
#include "import/reading/BlueprintLines.h"
#include "import/reading/InteriorReader.h"
#include "sim/Game.h"
#include "tests/support/LargeShipWorld.h"

namespace {

namespace fs = std::filesystem;

const fs::path& BenchFolder() {
    static const fs::path folder = [] {
        fs::path made = fs::temp_directory_path() / "corvanis-interior-bench";
        fs::remove_all(made);
        fs::create_directories(made);
        return made;
    }();
    return folder;
}

std::string PluginFolder() { return BenchFolder().string() + "/"; }

void LoadLargeShip() {
    std::string error;
    corvanis_test::LargeShipShape shape;
    shape.loadedCells = 50;
    if (!sim::LoadWorldFromText(corvanis_test::LargeShipWorld(shape), "large ship", error)) {
        throw std::runtime_error(error);
    }
}

host::Form* PlayerCell() {
    const veltrane::GameInterface& game = host::Game();
    return game.RefGetParentCell(game.GetPlayerCharacter());
}

// The large ship's blueprint as the exporter writes it.
const std::string& LargeShipBlueprint() {
    static const std::string bytes = [] {
        LoadLargeShip();
        const veltrane::GameInterface& game = host::Game();
        host::Form* ship = game.GetShipPlayerIsIn(game.GetPlayerCharacter(), true, nullptr, nullptr);
        Corvanis::ExportErrorInfo error;
        if (!Corvanis::WriteShipBlueprint(ship, PlayerCell(), PluginFolder(), "Hauler.txt", Corvanis::kDefaultSettings,
                                          error)) {
            throw std::runtime_error("the large ship cannot be exported: " + error.sExtraErrorText);
        }
        std::ifstream in(BenchFolder() / "Hauler.txt", std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    return bytes;
}

void ScanLinesOfLargeBlueprint(benchmark::State& state) {
    const std::string& bytes = LargeShipBlueprint();
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char* at = bytes.data(); const void* end = std::memchr(at, '\n', bytes.data() + bytes.size() - at);) {
            ++lines;
            at = static_cast<const char*>(end) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void ReadDecorItemsOfLargeBlueprint(benchmark::State& state) {
    const std::string& bytes = LargeShipBlueprint();
    Corvanis::GameFormResolver forms;
    std::size_t items = 0;
    for (auto _ : state) {
        std::vector<Corvanis::DecorItemRecord> read;
        std::string refused;
        if (!Corvanis::ReadDecorItems(Corvanis::BlueprintLines(bytes), forms, read, refused)) {
            state.SkipWithError(refused.c_str());
        }
        items = read.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["items"] = static_cast<double>(items);
}

void GatherCandidateCellsOf50LoadedCells(benchmark::State& state) {
    LargeShipBlueprint();
    std::size_t cells = 0;
    for (auto _ : state) cells = Corvanis::GatherCandidateCells().size();
    state.counters["cells"] = static_cast<double>(cells);
}

void ImportLargeInterior(benchmark::State& state) {
    LargeShipBlueprint();
    for (auto _ : state) {
        state.PauseTiming();
        LoadLargeShip();
        state.ResumeTiming();
        Corvanis::ImportErrorInfo error;
        if (!Corvanis::ImportShipInteriorHelper(PlayerCell(), PluginFolder(), "Hauler.txt", Corvanis::kDefaultSettings,
                                                error)) {
            state.SkipWithError((error.sPhase + " " + error.sExtraErrorText).c_str());
        }
    }
}

}  // namespace

BENCHMARK(ScanLinesOfLargeBlueprint)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDecorItemsOfLargeBlueprint)->Unit(benchmark::kMillisecond);
BENCHMARK(GatherCandidateCellsOf50LoadedCells)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportLargeInterior)->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
