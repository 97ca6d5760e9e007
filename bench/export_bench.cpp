// How long a player's export of a large ship takes (500 modules, 5,000
// decoration items, every component), measured beside a plain write of the
// same bytes in one buffer: the export should stay within 2.5 times of it.
// The export without a disk shows what the lines themselves cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "export/WriteShipBlueprint.h"
#include "host/host.h"
#include "platform/platform.h"
#include "sim/Game.h"
#include "support/LargeShipWorld.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

struct Ship {
    host::Form* reference;
    host::Form* interiorCell;
};

const dev_support::ScratchFolder& BenchFolder() {
    static const dev_support::ScratchFolder folder("export-bench");
    return folder;
}

const Ship& LargeShip() {
    static const Ship ship = [] {
        std::string error;
        if (!sim::LoadWorldFromText(dev_support::LargeShipWorld(), "large ship", error)) {
            throw std::runtime_error(error);
        }
        const veltrane::GameInterface& game = host::Game();
        host::Form* player = game.GetPlayerCharacter();
        return Ship{game.GetShipPlayerIsIn(player, true, nullptr, nullptr), game.RefGetParentCell(player)};
    }();
    return ship;
}

bool Export(const std::string& fileName, platform::FileSystem& files = platform::SystemFiles()) {
    Corvanis::ExportErrorInfo error;
    return Corvanis::WriteShipBlueprint(LargeShip().reference, LargeShip().interiorCell, BenchFolder().PluginPath(),
                                        fileName, Corvanis::kDefaultSettings, error, files);
}

// Takes every file operation and stores nothing: what an export costs
// without the disk.
class NoDisk final : public platform::FileSystem {
public:
    // Holds nothing, so every name is free; and no settings file.
    platform::PathKind QueryPath(const std::string&) override { return platform::PathKind::NotFound; }
    bool ListFolder(const std::string&, std::vector<std::string>&) override { return false; }
    std::string ReadProfileString(const std::string&, const std::string&, const std::string& fallback,
                                  const std::string&, std::size_t) override {
        return fallback;
    }
    bool WriteProfileString(const std::string&, const std::string&, const std::string&,
                            const std::string&) override {
        return false;
    }
    bool CreateFolder(const std::string&) override { return true; }
    platform::CreateResult CreateNewFile(const std::string&, platform::FileHandle& file) override {
        file = 1;
        return platform::CreateResult::Created;
    }
    bool Write(platform::FileHandle, const void*, std::size_t) override { return true; }
    bool Close(platform::FileHandle) override { return true; }
    platform::MoveResult MoveNoReplace(const std::string&, const std::string&) override {
        return platform::MoveResult::Moved;
    }
    bool Remove(const std::string&) override { return true; }
    // Holds no file to read.
    bool OpenForUpdate(const std::string&, platform::FileHandle&) override { return false; }
    bool OpenForReading(const std::string&, platform::FileHandle&) override { return false; }
    bool OpenForAppending(const std::string&, platform::FileHandle&) override { return false; }
    bool ReadWhole(platform::FileHandle, std::string&) override { return false; }
};

// The bytes an export of the ship writes.
const std::string& BlueprintBytes() {
    static const std::string bytes = [] {
        if (!Export("reference.txt")) throw std::runtime_error("the large ship cannot be exported");
        std::string read = BenchFolder().ReadFile("reference.txt");
        fs::remove(BenchFolder().Native("reference.txt"));
        return read;
    }();
    return bytes;
}

void RemoveBetweenRuns(benchmark::State& state, const std::string& fileName) {
    state.PauseTiming();
    fs::remove(BenchFolder().Native(fileName));
    state.ResumeTiming();
}

void ExportLargeShip(benchmark::State& state) {
    const std::size_t size = BlueprintBytes().size();
    for (auto _ : state) {
        if (!Export("Hauler.txt")) state.SkipWithError("the export failed");
        RemoveBetweenRuns(state, "Hauler.txt");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["lines"] = static_cast<double>(std::count(BlueprintBytes().begin(), BlueprintBytes().end(), '\n'));
}

void ExportLargeShipWithoutDisk(benchmark::State& state) {
    const std::size_t size = BlueprintBytes().size();
    NoDisk files;
    for (auto _ : state) {
        if (!Export("Hauler.txt", files)) state.SkipWithError("the export failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void WriteSameBytesInOneBuffer(benchmark::State& state) {
    const std::string& bytes = BlueprintBytes();
    platform::FileSystem& files = platform::SystemFiles();
    const std::string path = BenchFolder().PluginPath() + "plain.txt";
    for (auto _ : state) {
        platform::FileHandle file = platform::kNoFile;
        if (files.CreateNewFile(path, file) != platform::CreateResult::Created ||
            !files.Write(file, bytes.data(), bytes.size()) || !files.Close(file)) {
            state.SkipWithError("the plain write failed");
        }
        RemoveBetweenRuns(state, "plain.txt");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(WriteSameBytesInOneBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportLargeShip)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportLargeShipWithoutDisk)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
