// The interior import on any bytes, in-process against the second
// playthrough with the player aboard its home ship: the decoration items
// read line by line and, when the reader accepts every line, the interior
// saved to a backup and the items placed, with what they replace cleared.
//
// Every input meets the same world: after an import that went through, the
// world is loaded anew from its dump taken before the first input. An
// import that was refused must leave the world as it was: every 64th input
// (the first included) that is refused compares the world's dump with that
// one, and a difference ends the run like a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/Settings.h"
#include "fuzz/support/Fail.h"
#include "fuzz/support/InMemoryBlueprint.h"
#include "fuzz/support/Playthrough.h"
#include "host/host.h"
#include "import/ImportShipInterior.h"
#include "sim/Game.h"

namespace {

using namespace Corvanis;
using corvanis_fuzz::Fail;

constexpr const char* kBlueprintName = "Ship.txt";
constexpr unsigned kCheckEvery = 64;

class BoardedPlaythrough {
public:
    BoardedPlaythrough() : folder_(kBlueprintName), world_(BoardedWorld()), parsedWorld_(world_) {
        parsedWorld_.Load();
    }

    void Run(std::string_view bytes) {
        if (Import(bytes)) {
            parsedWorld_.Load();
        } else if (refused_++ % kCheckEvery == 0 && sim::DumpWorldToText() != world_) {
            Fail("Broken: a refused interior import leaves the world as it was");
        }
    }

private:
    static std::string BoardedWorld() {
        corvanis_fuzz::LoadWorldText(corvanis_fuzz::ExampleWorld("second-playthrough.json"));
        sim::RunConsoleLine("sim.board @Kestrel");
        return sim::DumpWorldToText();
    }

    // True when the import went through.
    bool Import(std::string_view bytes) {
        const veltrane::GameInterface& game = host::Game();
        host::Form* player = game.GetPlayerCharacter();
        host::Form* ship = game.GetShipPlayerIsIn(player, true, nullptr, nullptr);
        host::Form* interior = game.RefGetParentCell(player);
        files_.SetBytes(bytes);
        ImportErrorInfo error;
        ShipBackup backup;
        return ImportShipInteriorHelper(ship, interior, folder_.Path(), kBlueprintName, kDefaultSettings, error,
                                        backup, files_);
    }

    corvanis_fuzz::BlueprintFolder folder_;
    corvanis_fuzz::InMemoryBlueprint files_;
    const std::string world_;
    const corvanis_fuzz::ParsedWorld parsedWorld_;
    unsigned refused_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static BoardedPlaythrough playthrough;
    playthrough.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
