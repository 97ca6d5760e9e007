// The layout import on any bytes, in-process against the second playthrough:
// the blueprint read line by line into the layout and, when the reader
// accepts it, applied to the home ship after the backup. The ship an import
// made must then come back whole through a blueprint: its export imports,
// and the ship exports the same blueprint again.
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
#include "frame/Settings.h"
#include "fuzz/support/Fail.h"
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

// Texts the layout reader refuses empty, as the blueprint format has it,
// which the exporter writes as they are: a blueprint without their lines
// makes a ship whose own blueprint is refused. That gap is the format's,
// so such a ship is not held to the round trip.
constexpr const char* kTextsNeverEmpty[] = {
    "QRNAnimationGraphComponent.rootAnimGraph |\r\n", "QRNAnimationGraphComponent.rigFile |\r\n",
    "QRNAnimationGraphComponent.animPath |\r\n",      "QRNAnimationGraphComponent.responseFile |\r\n",
    "KORFullName.fullName |\r\n",                     "KORModel.model |\r\n",
};

// The blueprint with each module's whole numbers read through a float, as
// the layout reader reads them: a ship may hold values a float cannot, from
// a negative text, and its own blueprint brings them back rounded.
std::string ThroughAFloat(std::string_view blueprint) {
    std::string rounded;
    for (const BlueprintLine& line : BlueprintLines(blueprint)) {
        std::string_view text = line.Text();
        const std::string_view key = line.KeyPart();
        if (key.starts_with("Blueprint.data[") &&
            (key.ends_with("].partID ") || key.ends_with("].unk40 ") || key.ends_with("].unk44 "))) {
            const double value = static_cast<float>(std::stoull(std::string(line.ValuePart())));
            const std::uint32_t stored =
                value >= 4294967296.0 ? 4294967295u : static_cast<std::uint32_t>(value);
            rounded.append(key).append("|").append(std::to_string(stored)).append("\r\n");
        } else {
            rounded.append(text).append("\r\n");
        }
    }
    return rounded;
}

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
        if (Import(bytes)) {
            CheckRoundTrip();
            PutShipBack();
        }
        if (inputs_++ % kCheckEvery == 0 && sim::DumpWorldToText() != world_) {
            Fail("Broken: the world after an input (and the home ship put back) is the world before it");
        }
    }

private:
    // True when the import changed the ship; `error` then tells why.
    bool Import(std::string_view bytes, ImportErrorInfo& error) {
        files_.SetBytes(bytes);
        ReturnStorageBlueprintVersionInfo version;
        ShipBackup backup;
        return ImportShipLayoutToBaseOfRef(shipRef_, folder_.Path(), kBlueprintName, kDefaultSettings, error, version,
                                           backup, files_);
    }
    bool Import(std::string_view bytes) {
        ImportErrorInfo error;
        return Import(bytes, error);
    }

    // The ship's blueprint as the exporter writes it, without the line of
    // the export's time; none when the ship cannot be exported.
    std::optional<std::string> Exported() {
        ExportErrorInfo error;
        if (WriteShipBlueprintFile(ShipOfReference(shipRef_), {}, folder_.Path(), "Exported.txt", error, files_) !=
            ShipFileResult::Written) {
            return std::nullopt;
        }
        std::string text = files_.Written();
        if (const std::size_t time = text.find("\r\nExport time: "); time != std::string::npos) {
            text.erase(time, text.find("\r\n", time + 2) - time);
        }
        return text;
    }

    void CheckRoundTrip() {
        const std::optional<std::string> exported = Exported();
        if (!exported) return;
        for (const char* text : kTextsNeverEmpty) {
            if (exported->find(text) != std::string::npos) return;
        }
        if (ImportErrorInfo error; !Import(*exported, error)) {
            Fail("Broken: the ship's own blueprint imports, but: " + error.sPhase + " | " + error.sExtraErrorText +
                 "\n" + *exported);
        }
        if (const std::optional<std::string> again = Exported(); !again || *again != ThroughAFloat(*exported)) {
            Fail("Broken: the ship imported from its own blueprint exports the same:\n" + *exported);
        }
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
        ImportLayoutComponents(ship.form, ship.reference, homeShip_, homeShipVersion_.fVersion);
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
