#include "tests/support/ExportedBlueprint.h"

#include "export/ExportShip.h"
#include "frame/settings/Settings.h"
#include "platform/platform.h"
#include "support/ScratchFolder.h"
#include "tests/support/InProcessGame.h"

namespace corvanis_test {

const std::string& PathfinderBlueprint() {
    static const std::string bytes = [] {
        LoadWorldFile(CORVANIS_EXAMPLE_WORLDS "/starter.json");
        dev_support::ScratchFolder exported;
        Corvanis::RunExportShip({"Pathfinder", Corvanis::kDefaultSettings}, exported.PluginPath(),
                                platform::SystemFiles());
        return exported.ReadFile("Pathfinder.txt");
    }();
    return bytes;
}

}  // namespace corvanis_test
