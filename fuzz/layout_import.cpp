// The layout import on any bytes, in-process against the second playthrough:
// the blueprint read line by line into the layout and, when the reader
// accepts it, applied to the home ship after the backup. The ship an import
// made must then come back whole through a blueprint: its export imports,
// and the ship exports the same blueprint again. And the import must undo:
// its backup imports, and gives back the world as it was.
//
// Every input meets the same world. Loading the world anew after each input
// would cost more than the import itself, so the home ship is put back
// instead: an applied layout replaces each component of the ship's base form
// whole, and the ship's displayed name, so applying the layout the ship
// itself exports puts back everything an import changes. The world starts
// from that state too, and every 64th input (the first included) checks the
// whole world against it by its dump: an input that leaves any other trace,
// or a refused import that changed anything, ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "export/ShipBlueprintFile.h"
#include "frame/settings/Settings.h"
#include "fuzz/support/Fail.h"
#include "fuzz/support/InMemoryBlueprint.h"
#include "fuzz/support/Playthrough.h"
#include "host/host.h"
#include "host/layouts/ShipComponents.h"
#include "import/GameFormResolver.h"
#include "import/ImportLayout.h"
#include "import/LayoutComponents.h"
#include "import/reading/BlueprintLines.h"
#include "sim/Game.h"

namespace {

using namespace Corvanis;
using corvanis_fuzz::Fail;

constexpr const char* kBlueprintName = "Ship.txt";
constexpr unsigned kCheckEvery = 64;

class Playthrough {
public:
    Playthrough() : folder_(kBlueprintName) {
        corvanis_fuzz::LoadWorldText(corvanis_fuzz::ExampleWorld("second-playthrough.json"));
        shipRef_ = host::Game().GetPlayerHomeShip();
        ReadHomeShipLayout();
        PutShipBack();
        world_ = sim::DumpWorldToText();
    }

    void Run(std::string_view bytes) {
        ImportReport report;
        if (ImportErrorInfo error; Import(bytes, error, report)) {
            if (report.backup.result != BackupResult::Written) Fail("Broken: the home ship's backup is written");
            const std::string backup = files_.Written();
            CheckRoundTrip();
            CheckUndo(backup);
            PutShipBack();
        }
        if (inputs_++ % kCheckEvery == 0 && sim::DumpWorldToText() != world_) {
            Fail("Broken: the world after an input (and the home ship put back) is the world before it");
        }
    }

private:
    // True when the import changed the ship; `error` tells why not.
    bool Import(std::string_view bytes, ImportErrorInfo& error, ImportReport& report) {
        files_.SetBytes(bytes);
        ReturnStorageBlueprintVersionInfo version;
        return ImportShipLayoutToBaseOfRef(shipRef_, folder_.PluginPath(), kBlueprintName, kDefaultSettings, error,
                                           version, report, files_);
    }
    bool Import(std::string_view bytes, ImportErrorInfo& error) {
        ImportReport report;
        return Import(bytes, error, report);
    }

    // The ship's blueprint as the exporter writes it, without the line of
    // the export's time; none when the ship cannot be exported.
    std::optional<std::string> Exported() {
        ExportErrorInfo error;
        if (WriteShipBlueprintFile(ShipOfReference(shipRef_), {}, folder_.PluginPath(), "Exported.txt", error,
                                   files_) != ShipFileResult::Written) {
            return std::nullopt;
        }
        std::string text = files_.Written();
        if (const std::size_t time = text.find("\r\nExport time: "); time != std::string::npos) {
            text.erase(time, text.find("\r\n", time + 2) - time);
        }
        return text;
    }

    // The ship's own blueprint imports, and the ship it makes exports that
    // blueprint again. The first import of its own blueprint may still change
    // a ship that a backup made: an import gives a ship its registration
    // entry, and a module's raw bytes do not come back from an export. Only
    // a backup makes a ship without modules, whose blueprint no import takes.
    void CheckRoundTrip() {
        const ShipToExport ship = ShipOfReference(shipRef_);
        const auto* modules = host::FindComponent<veltrane::BlueprintComponent>(ship.form);
        if (modules != nullptr && modules->data.count == 0) return;
        std::optional<std::string> exported;
        for (int round = 0; round < 2; ++round) {
            exported = Exported();
            if (!exported) return;
            if (ImportErrorInfo error; !Import(*exported, error)) {
                Fail("Broken: the ship's own blueprint imports, but: " + error.sPhase + " | " +
                     error.sExtraErrorText + "\n" + *exported);
            }
        }
        if (const std::optional<std::string> again = Exported(); !again || *again != *exported) {
            Fail("Broken: the ship imported from its own blueprint exports the same:\n" + *exported);
        }
    }

    void CheckUndo(const std::string& backup) {
        if (ImportErrorInfo error; !Import(backup, error)) {
            Fail("Broken: an import's backup imports, but: " + error.sPhase + " | " + error.sExtraErrorText + "\n" +
                 backup);
        }
        if (sim::DumpWorldToText() != world_) Fail("Broken: an import's backup gives back the world as it was");
    }

    // The layout of the ship as it exports itself.
    void ReadHomeShipLayout() {
        const std::optional<std::string> blueprint = Exported();
        if (!blueprint) Fail("the home ship does not export");
        homeShipBlueprint_ = *blueprint;
        GameFormResolver forms;
        LayoutReader reader(forms, homeShip_, homeShipVersion_);
        ImportErrorInfo error;
        for (const BlueprintLine& line : BlueprintLines(homeShipBlueprint_)) {
            if (reader.ReadLine(line, error) == LineVerdict::Refused) Fail("the home ship's blueprint is refused");
        }
    }

    void PutShipBack() {
        const ShipToExport ship = ShipOfReference(shipRef_);
        LayoutStorage storage;
        if (!ReserveLayoutStorage(ship.form, homeShip_, storage)) Fail("the home ship's lists find no memory");
        ImportLayoutComponents(ship.form, ship.reference, homeShip_, homeShipVersion_.fVersion, storage);
    }

    corvanis_fuzz::BlueprintFolder folder_;
    corvanis_fuzz::InMemoryBlueprint files_;
    host::Form* shipRef_ = nullptr;
    std::string homeShipBlueprint_;
    LayoutAccumulator homeShip_;
    ReturnStorageBlueprintVersionInfo homeShipVersion_;
    std::string world_;
    unsigned inputs_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Playthrough playthrough;
    playthrough.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
