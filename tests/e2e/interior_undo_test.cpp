// An interior import never leaves a player worse off: when an item cannot be
// placed the interior stays as it was, and an import that went through can
// be undone by importing the backup it saved.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <set>

#include "tests/e2e/Blueprints.h"
#include "tests/e2e/ExportScenario.h"
#include "tests/e2e/InteriorWorld.h"

namespace e2e {
namespace {

using nlohmann::json;

const char* const kNotImported = "ImportShipInterior: ERROR: ship interior couldn't be imported.";

// The dump after a failed import as it must read once the references the
// import created and removed again are taken out: each is new, removed and
// left an empty slot at the end of its cell. `takenBack` counts them.
json WithoutReferencesTakenBack(json after, const json& before, int& takenBack) {
    std::set<std::string> existed;
    for (const json& reference : before["references"]) existed.insert(reference["id"].get<std::string>());
    json kept = json::array();
    takenBack = 0;
    for (json& reference : after["references"]) {
        if (existed.count(reference["id"].get<std::string>()) != 0) {
            kept.push_back(std::move(reference));
        } else {
            EXPECT_EQ(reference.value("removed", false), true) << reference.dump();
            ++takenBack;
        }
    }
    after["references"] = std::move(kept);
    for (std::size_t i = 0; i < after["cells"].size() && i < before["cells"].size(); ++i) {
        json& slots = after["cells"][i]["references"];
        const std::size_t had = before["cells"][i]["references"].size();
        while (slots.size() > had) {
            EXPECT_TRUE(slots.back().is_null()) << slots.dump();
            slots.erase(slots.size() - 1);
        }
    }
    after["game"].erase("nextRuntimeFormID");
    return after;
}

json ReadDump(const GameFolder& folder, const std::string& name) {
    return json::parse(ReadBytes(folder.Game() / name));
}

class InteriorUndo : public ::testing::Test {
protected:
    void SetUp() override { folder.InstallCorvanis(); }

    // Imports the blueprint between two dumps and checks that the world
    // differs only by `created` references taken back and the next run-time
    // form ID.
    void ExpectInteriorAsItWas(const std::string& blueprint, const Lines& console, int created) {
        InteriorWorld world;
        world.deckItems = {
            R"({"id": "@OldMug", "base": "Mug", "position": [1.0, 2.0, 3.0], "extra": {"name": "Favourite"}})",
            R"({"id": "@OldCrate", "base": "Crate", "extra": {"links": [{"keyword": "WorkshopItemKeyword", "target": "@Workbench"}]}})",
        };
        WriteBytes(folder.Spaceships() / "Items.txt", blueprint);
        const Lines lines =
            RunWorld(folder, world.Text(), {"sim.dump before.json", "ImportShipInterior Items", "sim.dump after.json"});
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(MaskDescriptionAddresses(Lines(lines.begin() + 2, lines.begin() + 5)), console);

        json before = ReadDump(folder, "before.json");
        int takenBack = 0;
        const json after = WithoutReferencesTakenBack(ReadDump(folder, "after.json"), before, takenBack);
        before["game"].erase("nextRuntimeFormID");
        EXPECT_EQ(after, before);
        EXPECT_EQ(takenBack, created);
        EXPECT_EQ(FolderEntries(folder.Spaceships() / "Backups"), Lines{}) << "nothing to undo";
    }

    GameFolder folder;
};

TEST_F(InteriorUndo, AnItemTheGameRefusesHalfwayThrough_LeavesTheInteriorAsItWas) {
    ExpectInteriorAsItWas(BlueprintOf({DecorItem("0A3002|Veltrane.vmf").Named("New"),
                                       DecorItem("0A3013|Veltrane.vmf").AsWorkshopItem(),
                                       DecorItem("0A3021|Veltrane.vmf"), DecorItem("0A3001|Veltrane.vmf")}),
                          {"> ImportShipInterior Items", kNotImported,
                           "[Error in phase: importing DecorItems | Extra error text: CreatedRefs.size == 0 of base "
                           "[000A3021 | <address> | 40|MISC | 0|0x0 | {unnamed} | Relic]]"},
                          2);
}

TEST_F(InteriorUndo, AnItemWhoseReferenceVanishes_LeavesTheInteriorAsItWas) {
    ExpectInteriorAsItWas(BlueprintOf({DecorItem("0A3002|Veltrane.vmf"), DecorItem("0A3022|Veltrane.vmf")}),
                          {"> ImportShipInterior Items", kNotImported,
                           "[Error in phase: importing DecorItems | Extra error text: CreatedRefs.size == 0 of base "
                           "[000A3022 | <address> | 40|MISC | 0|0x0 | {unnamed} | Ghost]]"},
                          2);
}

}  // namespace
}  // namespace e2e
