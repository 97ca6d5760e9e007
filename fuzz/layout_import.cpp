// The layout import on any bytes, in-process against the second playthrough:
// the blueprint read line by line into the layout and, when the reader
// accepts it, applied to the home ship after the backup.
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
#include <string>

#include "export/ShipBlueprintFile.h"
#include "frame/Settings.h"
#include "fuzz/support/InMemoryBlueprint.h"
#include "fuzz/support/Playthrough.h"
#include "host/host.h"
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
        ship_ = ShipOfReference(host::Game().GetPlayerHomeShip());
        ReadHomeShipLayout();
        PutShipBack();
        world_ = sim::DumpWorldToText();
    }

    void Run(std::string_view bytes) {
        if (Import(bytes)) PutShipBack();
        if (inputs_++ % kCheckEvery == 0 && sim::DumpWorldToText() != world_) {
            Fail("Broken: the world after an input (and the home ship put back) is the world before it");
        }
    }

private:
    // True when the import changed the ship.
    bool Import(std::string_view bytes) {
        files_.SetBytes(bytes);
        ImportErrorInfo error;
        ReturnStorageBlueprintVersionInfo version;
        ShipBackup backup;
        return ImportShipLayoutToBaseOfRef(ship_.reference, folder_.Path(), kBlueprintName, kDefaultSettings, error,
                                           version, backup, files_);
    }

    // The layout of the ship as it exports itself.
    void ReadHomeShipLayout() {
        ExportErrorInfo exportError;
        if (WriteShipBlueprintFile(ship_, {}, folder_.Path(), "Home ship.txt", exportError,
                                   files_) != ShipFileResult::Written) {
            Fail("the home ship does not export: " + exportError.sExtraErrorText);
        }
        homeShipBlueprint_ = files_.Written();
        GameFormResolver forms;
        LayoutReader reader(forms, homeShip_, homeShipVersion_);
        ImportErrorInfo error;
        for (const BlueprintLine& line : BlueprintLines(homeShipBlueprint_)) {
            if (reader.ReadLine(line, error) == LineVerdict::Refused) Fail("the home ship's blueprint is refused");
        }
    }

    void PutShipBack() { ImportLayoutComponents(ship_.form, ship_.reference, homeShip_, homeShipVersion_.fVersion); }

    corvanis_fuzz::BlueprintFolder folder_;
    corvanis_fuzz::InMemoryBlueprint files_;
    ShipToExport ship_;
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
