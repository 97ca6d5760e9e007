#include "tests/e2e/Scenario.h"

namespace e2e {

Lines RecorderLoadLines(const std::string& tag, int handle) {
    return {
        tag + ": load: handle " + std::to_string(handle) + ", runtime 010F0D80",
        tag + ": interface 1: answered, interface 2: null",
        tag + ": listener for ORBX: registered",
        tag + ": listener for Elsewhere: registered",
        tag + ": listener with handle 0: refused",
    };
}

std::string RecorderMessageLine(const std::string& tag, int type) {
    return tag + ": message " + std::to_string(type) + " from ORBX, no data";
}

std::string RecorderMarkerLine(const std::string& tag, const std::string& content) {
    return tag + ": marker.txt: " + content;
}

Lines Concatenated(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::filesystem::path StarterWorld() { return ExamplesFolder() / "worlds" / "starter.json"; }

std::filesystem::path SecondPlaythroughWorld() { return ExamplesFolder() / "worlds" / "second-playthrough.json"; }

const std::string kLayoutImportedLine =
    "ImportShipLayout: INFO: ship layout successfully imported. Please modify the imported ship at a Ship Services "
    "Technician before flying it (any kind of modification will do). Fly it manually first (i.e. not with Fast "
    "Travel).";

ProcessResult RunBlueprintTool(const std::vector<std::string>& arguments, const std::filesystem::path& folder) {
    ProcessRequest request;
    request.program = BlueprintToolProgram();
    request.arguments = arguments;
    request.workingFolder = folder;
    return RunProcess(request);
}

std::string CorvanisLoadedLine() {
    return "ORBX: loaded " + PluginFileName("Corvanis") + ": Corvanis - ORBX Plugin by Pellimor " CORVANIS_TITLE_VERSION;
}

}  // namespace e2e
