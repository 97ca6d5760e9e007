// corvanis-blueprint: players' blueprint files outside the game. It reads
// them with the importers' own readers.
#include <CLI/CLI.hpp>

#include <iostream>

#include "tools/blueprint/Commands.h"

namespace {

using namespace blueprint_tool;

int Run(int argc, char** argv) {
    CLI::App app("Checks, describes, draws and compares Corvanis blueprint files, reading them as the game's "
                 "ImportShipLayout and ImportShipInterior read them.",
                 "corvanis-blueprint");
    app.set_version_flag("--version", std::string("corvanis-blueprint ") + CORVANIS_VERSION);
    app.require_subcommand(1);
    app.footer("Exit codes: 0 nothing found, 1 a problem (check) or a difference (diff) found, 2 a usage or "
               "file error.");

    CheckOptions check;
    CLI::App* checkCommand = app.add_subcommand(
        "check", "Lists every problem that would make ImportShipLayout or ImportShipInterior refuse the files, "
                 "with its line and the phase the game would report, and warns of lines no importer reads.");
    checkCommand->add_option("FILE", check.files, "Blueprint files")->required();
    checkCommand->add_option("--data-files", check.dataFileList,
                             "A text file naming the data files the game loads, one a line in load order; every "
                             "form from another file is a problem");
    checkCommand->add_flag("--json", check.json, "Writes the report as JSON");

    std::string infoFile;
    bool infoJson = false;
    CLI::App* infoCommand = app.add_subcommand(
        "info", "Shows the ship's name, export time and version, its numbers of modules, components and "
                "decoration items, its extent, and the data files it needs.");
    infoCommand->add_option("FILE", infoFile, "A blueprint file")->required();
    infoCommand->add_flag("--json", infoJson, "Writes the description as JSON");

    std::string renderFile;
    std::string picture;
    CLI::App* renderCommand = app.add_subcommand(
        "render", "Draws the ship's modules and decoration items from the top, the side and the front into an "
                  "SVG picture.");
    renderCommand->add_option("FILE", renderFile, "A blueprint file")->required();
    renderCommand->add_option("-o,--output", picture, "The SVG file to write")->required();

    std::string before;
    std::string after;
    CLI::App* diffCommand = app.add_subcommand(
        "diff", "Lists the keys that were added, removed or changed from blueprint A to blueprint B, with their "
                "values; the export time is left out.");
    diffCommand->add_option("A", before, "The first blueprint")->required();
    diffCommand->add_option("B", after, "The second blueprint")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << "\n";
        return kExitClean;
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitError;
    }

    if (checkCommand->parsed()) return RunCheck(check, std::cout, std::cerr);
    if (infoCommand->parsed()) return RunInfo(infoFile, infoJson, std::cout, std::cerr);
    if (renderCommand->parsed()) return RunRender(renderFile, picture, std::cout, std::cerr);
    return RunDiff(before, after, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "corvanis-blueprint: " << e.what() << "\n";
        return kExitError;
    }
}
