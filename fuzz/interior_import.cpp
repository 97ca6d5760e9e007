// The interior import on any bytes, in-process against the second
// playthrough with the player aboard its home ship: the decoration items
// read line by line and, when the reader accepts every line, the interior
// saved to a backup and the items placed, with what they replace cleared.
//
// An import that went through must undo: its backup imports, whatever the
// settings, and gives back the interior's items as they were (new
// references, with the same bases, places, turns, sizes, names and links).
//
// Every input meets the same world: after an import that went through, the
// world is loaded anew from its dump taken before the first input. An
// import that was refused must leave the world as it was: every 64th input
// (the first included) that is refused compares the world's dump with that
// one, and a difference ends the run like a crash.
//
// An import refused while it places its items (the game would not place
// one) has placed others and taken them back. The game keeps its own
// traces of that: the removed references, the empty places they leave in
// their cell's list, and the run-time form IDs they took. Such an import is
// held to the world as the player meets it, without those traces, and the
// world is loaded anew after it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/settings/Settings.h"
#include "fuzz/support/Fail.h"
#include "fuzz/support/InMemoryBlueprint.h"
#include "fuzz/support/Playthrough.h"
#include "host/host.h"
#include "import/ImportShipInterior.h"
#include "sim/Game.h"
#include "sim/GameState.h"
#include "sim/worldfile/WorldWriter.h"
#include "support/CellItems.h"
#include "support/ReferencesTakenBack.h"

namespace {

using namespace Corvanis;
using corvanis_fuzz::Fail;

constexpr const char* kBlueprintName = "Ship.txt";
constexpr unsigned kCheckEvery = 64;
constexpr const char* kInterior = "@KestrelInterior";
// The phase of an import that places its items.
constexpr std::string_view kPlacingPhase = "importing DecorItems";

class BoardedPlaythrough {
public:
    BoardedPlaythrough() : folder_(kBlueprintName), world_(BoardedWorld()), parsedWorld_(world_) {
        parsedWorld_.Load();
    }

    void Run(std::string_view bytes) {
        ImportErrorInfo error;
        if (Import(bytes, error)) {
            CheckUndo(files_.Written());
            parsedWorld_.Load();
        } else if (error.sPhase == kPlacingPhase) {
            if (!EverythingTakenBack(WorldJson())) {
                Fail("Broken: an interior import refused while placing its items takes back every item it placed");
            }
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

    // The world as its dump would give it, without the text between.
    static sim::Json WorldJson() { return sim::WriteWorldJson(sim::TheGame()); }

    // True when the world is the one before the import but for what the
    // game keeps of the references that the import placed and took back.
    bool EverythingTakenBack(const sim::Json& world) const {
        int takenBack = 0;
        return dev_support::WithoutReferencesTakenBack(world, before_, takenBack) == liveBefore_;
    }

    void CheckUndo(const std::string& backup) {
        if (ImportErrorInfo error; !Import(backup, error)) {
            Fail("Broken: an interior import's backup imports, but: " + error.sPhase + " | " + error.sExtraErrorText +
                 "\n" + backup);
        }
        if (dev_support::CellItems(WorldJson(), kInterior) != itemsBefore_) {
            Fail("Broken: an interior import's backup gives back the interior as it was\n" + backup);
        }
    }

    // True when the import went through.
    bool Import(std::string_view bytes, ImportErrorInfo& error) {
        const veltrane::GameInterface& game = host::Game();
        host::Form* player = game.GetPlayerCharacter();
        host::Form* ship = game.GetShipPlayerIsIn(player, true, nullptr, nullptr);
        host::Form* interior = game.RefGetParentCell(player);
        files_.SetBytes(bytes);
        ImportReport backup;
        return ImportShipInteriorHelper(ship, interior, folder_.PluginPath(), kBlueprintName, kDefaultSettings, error,
                                        backup, files_);
    }

    corvanis_fuzz::BlueprintFolder folder_;
    corvanis_fuzz::InMemoryBlueprint files_;
    const std::string world_;
    const sim::Json before_ = WorldJson();
    const sim::Json liveBefore_ = dev_support::WithoutNextRuntimeFormID(before_);
    const std::multiset<std::string> itemsBefore_ = dev_support::CellItems(before_, kInterior);
    const corvanis_fuzz::ParsedWorld parsedWorld_;
    unsigned refused_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static BoardedPlaythrough playthrough;
    playthrough.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
