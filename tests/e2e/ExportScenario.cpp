#include "tests/e2e/ExportScenario.h"

namespace e2e {

Lines RunWorldFile(const GameFolder& folder, const std::filesystem::path& world,
                   const std::vector<std::string>& console) {
    std::vector<std::string> arguments = {"--world", world.string()};
    for (const std::string& line : console) {
        arguments.push_back("--run");
        arguments.push_back(line);
    }
    const ProcessResult result = folder.Run(arguments);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, 0);
    Lines lines = result.OutLines();
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
        EXPECT_EQ(lines.front(), CorvanisLoadedLine());
        lines.erase(lines.begin());
    }
    return lines;
}

Lines RunWorld(const GameFolder& folder, const std::string& worldText, const std::vector<std::string>& console) {
    return RunWorldFile(folder, folder.WriteFile("world.json", worldText), console);
}

Lines Exported(const std::string& command, const std::string& fileName) {
    return {"> " + command, "ExportShipRef: INFO: ship exported.",
            "ExportShipRef: INFO: written to Spaceships\\" + fileName};
}

Lines Without(const Lines& lines, const std::string& prefix) {
    Lines kept;
    for (const std::string& line : lines) {
        if (!line.starts_with(prefix)) kept.push_back(line);
    }
    return kept;
}

}  // namespace e2e
